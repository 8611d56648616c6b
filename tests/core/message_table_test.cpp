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

TEST(MessageTable, BuiltInEnglishInOrderAndInPlaceUpdates) {
  FillDefaultMessages();
  ASSERT_EQ(MessageTable.size(), 25);
  EXPECT_TRUE(MessageTable.front().startsWith("AlbumLook="));
  EXPECT_TRUE(MessageTable.back().startsWith("UnknownImageFormat="));
  EXPECT_EQ(Msg("errorwritingfile"), "Error writing file");
  EXPECT_EQ(Msg("Step3"), "Step 3. ");
  EXPECT_EQ(Msg("NotThere"), "");

  SetMsg("reload?", "Nochmal = laden?");
  EXPECT_EQ(Msg("Reload?"), "Nochmal = laden?");
  EXPECT_TRUE(MessageTable[18].startsWith("Reload?="));  // replaced in place
  SetMsg("NewKey", "x");
  EXPECT_EQ(MessageTable.size(), 25);
  FillDefaultMessages();
  EXPECT_EQ(Msg("Reload?"), "Reload file from the disk?");
}
