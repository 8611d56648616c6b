#pragma once
// Every message the program shows, as key "=" text: the built-in English
// table, over which a language file's messages go while the application has
// them installed. A key with no English entry yields "".

#include <QString>
#include <QStringList>
#include <QTranslator>
#include <utility>

// The built-in English entries, in order.
const QStringList& DefaultMessages();

// The text of key by the key=value lookup rule: the installed language's when
// it has a non-empty one, else the English; "" when the English table lacks
// the key.
QString Msg(const QString& key);

// A language file's lines as Qt's translator for the messages: whoever owns
// the book installs it on the application (QCoreApplication::
// installTranslator), and Msg answers from it. Lines of keys the English
// table lacks are never used.
class LanguageMessages : public QTranslator {
 public:
  explicit LanguageMessages(QStringList lines = {}) : lines_(std::move(lines)) {}
  void SetLines(QStringList lines) { lines_ = std::move(lines); }

  bool isEmpty() const override { return lines_.isEmpty(); }
  QString translate(const char* context, const char* sourceText, const char* disambiguation,
                    int n) const override;

 private:
  QStringList lines_;
};
