#include "app/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, AtMostOneFileFurtherArgumentsIgnored) {
  EXPECT_TRUE(ParseCommandLine({"quirevale"}).file.isEmpty());
  const CommandLine one = ParseCommandLine({"quirevale", "Trip.alb", "other.xml", "third"});
  EXPECT_EQ(one.action, CommandLine::Action::Run);
  EXPECT_EQ(one.file, "Trip.alb");
}

TEST(CommandLine, HelpAndVersion) {
  EXPECT_EQ(ParseCommandLine({"q", "--help"}).action, CommandLine::Action::ShowHelp);
  EXPECT_EQ(ParseCommandLine({"q", "a.alb", "--version"}).action, CommandLine::Action::ShowVersion);
}
