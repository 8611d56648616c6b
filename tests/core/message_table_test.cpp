#include "core/message_table.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

TEST(MessageTable, LookupIgnoresCaseAndALanguageOverridesKnownKeysWhileInstalled) {
  EXPECT_EQ(Msg("errorwritingfile"), "Error writing file");
  EXPECT_EQ(Msg("NotThere"), "");
  {
    LanguageMessages german({"reload?=Nochmal = laden?", "NewKey=x", "PageNr="});
    QCoreApplication::installTranslator(&german);
    EXPECT_EQ(Msg("Reload?"), "Nochmal = laden?");
    EXPECT_EQ(Msg("NewKey"), "");
    EXPECT_EQ(Msg("PageNr"), "Page");
  }
  EXPECT_EQ(Msg("Reload?"), "Reload file from the disk?");
}
