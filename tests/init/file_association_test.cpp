#include "init/file_association.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "support/test_files.h"

namespace {

// Runs a validator when it is installed; gives its output on failure.
void ExpectValid(const QString& tool, const QStringList& arguments) {
  if (QStandardPaths::findExecutable(tool).isEmpty()) return;
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(tool, arguments);
  ASSERT_TRUE(process.waitForFinished(30000));
  EXPECT_EQ(process.exitCode(), 0) << tool.toStdString() << ": " << process.readAll().toStdString();
}

}  // namespace

TEST(FileAssociation, WritesValidFilesOnceAndAgainWhenTheProgramMoves) {
  QTemporaryDir home;
  const QString program = QStringLiteral("/opt/My Photos/bin/quirevale");
  const QStringList first = WriteUserAssociation(home.path(), program);
  ASSERT_EQ(first.size(), 3);
  const QString entry =
      home.filePath(QStringLiteral("applications/org.quirevale.Quirevale.desktop"));
  const QString mime = home.filePath(QStringLiteral("mime/packages/org.quirevale.Quirevale.xml"));
  EXPECT_TRUE(ReadAll(entry).contains("\nExec=\"/opt/My Photos/bin/quirevale\" %f\n"));
  EXPECT_TRUE(ReadAll(entry).contains("MimeType=application/x-quirevale-album;"));
  EXPECT_TRUE(ReadAll(mime).contains("<glob pattern=\"*.alb\"/>"));
  ExpectValid(QStringLiteral("desktop-file-validate"), {entry});
  ExpectValid(QStringLiteral("xmllint"), {QStringLiteral("--noout"), mime});

  // Unchanged content is not rewritten, so start-up does not touch the desktop.
  EXPECT_TRUE(WriteUserAssociation(home.path(), program).isEmpty());
  EXPECT_EQ(WriteUserAssociation(home.path(), QStringLiteral("/usr/local/bin/quirevale")),
            QStringList{entry});
  EXPECT_TRUE(ReadAll(entry).contains("\nExec=/usr/local/bin/quirevale %f\n"));
  // An entry the person edited is theirs: kept when the program moves again.
  const QByteArray edited = ReadAll(entry).replace("Name=Quirevale", "Name=My albums");
  WriteAll(entry, edited);
  EXPECT_TRUE(WriteUserAssociation(home.path(), QStringLiteral("/elsewhere/quirevale")).isEmpty());
  EXPECT_EQ(ReadAll(entry), edited);
}

TEST(FileAssociation, AnUnwritableDataFolderWritesNothing) {
  QTemporaryDir home;
  WriteAll(home.filePath(QStringLiteral("applications")), "a file where a folder belongs");
  const QStringList written =
      WriteUserAssociation(home.path(), QStringLiteral("/usr/bin/quirevale"));
  EXPECT_FALSE(written.contains(
      home.filePath(QStringLiteral("applications/org.quirevale.Quirevale.desktop"))));
  EXPECT_EQ(written.size(), 2);
}

TEST(FileAssociation, SpecialCharactersInTheProgramPathAreQuoted) {
  const auto files = UserAssociationFiles(QStringLiteral("/home/a$b/100%/\"q\"/quirevale"));
  EXPECT_TRUE(
      files.first().Content.contains("\nExec=\"/home/a\\$b/100%%/\\\"q\\\"/quirevale\" %f\n"));
}
