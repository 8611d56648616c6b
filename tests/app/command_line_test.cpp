#include "app/command_line.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "support/test_files.h"

TEST(CommandLine, AtMostOneFileFurtherArgumentsIgnoredAndHelpAndVersion) {
  EXPECT_TRUE(ParseCommandLine({"quirevale"}).file.isEmpty());
  const CommandLine one = ParseCommandLine({"quirevale", "Trip.alb", "other.xml", "third"});
  EXPECT_EQ(one.action, CommandLine::Action::Run);
  EXPECT_EQ(one.file, "Trip.alb");
  EXPECT_EQ(ParseCommandLine({"q", "--help"}).action, CommandLine::Action::ShowHelp);
  EXPECT_EQ(ParseCommandLine({"q", "a.alb", "--version"}).action, CommandLine::Action::ShowVersion);
  // The manual page describes every option the help names.
  const QByteArray manual = ReadAll(QStringLiteral(QV_SOURCE_DIR "/packaging/quirevale.1"));
  for (const auto& option : QRegularExpression("--[a-z-]+").globalMatch(HelpText())) {
    const QString roff = QString(option.captured()).replace(u'-', QStringLiteral("\\-"));
    EXPECT_TRUE(manual.contains(roff.toUtf8())) << option.captured().toStdString();
  }
}

TEST(CommandLine, RenderCommand) {
  const CommandLine all = ParseCommandLine({"q", "--render", "Demo.ALB", "--out", "pics"});
  EXPECT_EQ(all.action, CommandLine::Action::Render);
  EXPECT_EQ(all.file, "Demo.ALB");
  EXPECT_EQ(all.outDir, "pics");
  EXPECT_FALSE(all.size.isValid());
  EXPECT_EQ(all.chapter, -2);

  const CommandLine one = ParseCommandLine({"q", "--render", "--size", "1200x800", "a.xml", "--out",
                                            "o", "--chapter", "2", "--spread", "4"});
  EXPECT_EQ(one.action, CommandLine::Action::Render);
  EXPECT_EQ(one.file, "a.xml");
  EXPECT_EQ(one.size, QSize(1200, 800));
  EXPECT_EQ(one.chapter, 2);
  EXPECT_EQ(one.spread, 4);

  for (const char* bad : {"a.alb", "--out o", "a.alb --out", "a.alb --out o --size big",
                          "a.alb --out o --size 100x100", "a.alb --out o --chapter 1",
                          "a.alb --out o --chapter x --spread 0", "a.alb --out o --frobnicate"}) {
    const CommandLine result =
        ParseCommandLine(QStringList{"q", "--render"} + QString::fromLatin1(bad).split(u' '));
    EXPECT_EQ(result.action, CommandLine::Action::Error) << bad;
    EXPECT_FALSE(result.error.isEmpty());
  }
}
