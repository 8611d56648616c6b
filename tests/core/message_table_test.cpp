#include "core/message_table.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "core/key_value.h"

TEST(KeyValue, FirstLineWinsKeysIgnoreCaseValuesVerbatim) {
  const QStringList lines{"no equals sign",     "DataFile=a.xml",     "datafile=b.xml",
                          "FormatFile = c.afm", "Title= two = three", "Empty="};
  EXPECT_EQ(KeyValue(lines, "DATAFILE"), "a.xml");
  EXPECT_EQ(KeyValue(lines, "FormatFile"), "");  // a blank before "=" is part of the key
  EXPECT_EQ(KeyValue(lines, "FormatFile "), " c.afm");
  EXPECT_EQ(KeyValue(lines, "title"), " two = three");
  EXPECT_EQ(FindKeyValue(lines, "Empty"), QString(""));
  EXPECT_FALSE(FindKeyValue(lines, "Missing").has_value());
}

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
