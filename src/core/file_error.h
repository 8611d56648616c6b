#pragma once
// The error raised when a key=value file cannot be read or a file cannot be
// written. Its message is the message-table text ("Error reading file",
// "Error writing file" in English), taken when the error is raised, so the
// top-level handler shows it in the user's language.

#include <QString>
#include <exception>
#include <utility>

#include "core/message_table.h"

class EFileError : public std::exception {
 public:
  enum class Kind { Reading, Writing };

  EFileError(Kind kind, QString fileName) : kind_(kind), fileName_(std::move(fileName)) {
    const bool reading = kind == Kind::Reading;
    message_ =
        Msg(reading ? QStringLiteral("ErrorReadingFile") : QStringLiteral("ErrorWritingFile"));
    // The table is filled before anything runs; an empty one still says something.
    if (message_.isEmpty()) {
      message_ =
          reading ? QStringLiteral("Error reading file") : QStringLiteral("Error writing file");
    }
    what_ = message_.toUtf8();
  }

  Kind kind() const noexcept { return kind_; }
  // The message-table text, exactly as the message box shows it.
  const QString& Message() const noexcept { return message_; }
  // The file that failed, for callers that add it on a second line.
  const QString& FileName() const noexcept { return fileName_; }
  const char* what() const noexcept override { return what_.constData(); }

 private:
  Kind kind_;
  QString fileName_;
  QString message_;
  QByteArray what_;
};

// Convenience for the two kinds.
[[noreturn]] inline void RaiseReadingError(const QString& fileName) {
  throw EFileError(EFileError::Kind::Reading, fileName);
}
[[noreturn]] inline void RaiseWritingError(const QString& fileName) {
  throw EFileError(EFileError::Kind::Writing, fileName);
}
