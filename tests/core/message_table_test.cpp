#include "core/message_table.h"

#include <gtest/gtest.h>

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

TEST(MessageTable, LookupIgnoresCaseAndUpdatesInPlace) {
  FillDefaultMessages();
  const QStringList defaults = MessageTable;
  EXPECT_EQ(Msg("errorwritingfile"), "Error writing file");
  EXPECT_EQ(Msg("NotThere"), "");

  SetMsg("reload?", "Nochmal = laden?");
  SetMsg("NewKey", "x");
  EXPECT_EQ(Msg("Reload?"), "Nochmal = laden?");
  EXPECT_EQ(MessageTable.size(), defaults.size());
  EXPECT_EQ(MessageTable.indexOf("Reload?=Nochmal = laden?"),
            defaults.indexOf("Reload?=Reload file from the disk?"));
  FillDefaultMessages();
  EXPECT_EQ(MessageTable, defaults);
}
