#include "core/album_file.h"

#include <gtest/gtest.h>

#include "core/album_model.h"

TEST(AlbumFile, KeysMatchWithoutCaseInAnyOrder) {
  struct Case {
    const char* what;
    QStringList lines;
    QString data;
    QString format;
  };
  const Case cases[] = {
      {"the order the program writes",
       {"DataFile=Trip.XML", "FormatFile=blue.afm"},
       "Trip.XML",
       "blue.afm"},
      {"any order, other lines, any case",
       {"; made by hand", "formatfile=styles\\blue.afm", "", "DATAFILE=data\\main.xml"},
       "data\\main.xml",
       "styles\\blue.afm"},
      {"the value is everything after the first =, untrimmed",
       {"DataFile= a=b.xml ", "FormatFile="},
       " a=b.xml ",
       ""},
      {"the first line of a key wins", {"DataFile=one.xml", "DataFile=two.xml"}, "one.xml", ""},
      {"a blank before = is another key", {"DataFile =x.xml"}, "", ""},
      {"no lines at all", {}, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const AlbumFileValues values = ReadAlbumFileValues(c.lines);
    EXPECT_EQ(values.DataFile, c.data);
    EXPECT_EQ(values.FormatFile, c.format);
  }
}

TEST(AlbumFile, NamesAreWrittenRelativeToTheAlbumFile) {
  struct Case {
    const char* album;
    const char* data;
    const char* format;
    QStringList lines;
  };
  const Case cases[] = {
      {"D:/Albums/Trip.ALB", "D:/Albums/Trip.XML", "", {"DataFile=Trip.XML", "FormatFile="}},
      {"D:\\Albums\\Trip.ALB",
       "d:\\albums\\data\\main.xml",
       "D:\\Albums\\styles\\blue.afm",
       {"DataFile=data/main.xml", "FormatFile=styles/blue.afm"}},
      {"D:/Albums/Trip.ALB",
       "E:/Other/main.xml",
       "D:/Looks/blue.afm",
       {"DataFile=E:/Other/main.xml", "FormatFile=../Looks/blue.afm"}},
      {"/home/eva/Trip.ALB",
       "/home/eva/x/main.xml",
       "styles/blue.afm",
       {"DataFile=x/main.xml", "FormatFile=styles/blue.afm"}},
      {"/home/eva/Trip.ALB", "C:/Data/main.xml", "", {"DataFile=C:/Data/main.xml", "FormatFile="}},
      {"/home/eva/Trip.ALB", "", "", {"DataFile=", "FormatFile="}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.album);
    AlbumModel model;
    model.AlbumFileName = QString::fromUtf8(c.album);
    model.DataFiles[0] = QString::fromUtf8(c.data);
    model.FormatFileName = QString::fromUtf8(c.format);
    EXPECT_EQ(AlbumFileLines(model), c.lines);
  }
}

TEST(AlbumFile, NewAlbumsDataFileIsNamedAfterIt) {
  EXPECT_EQ(DefaultDataFileName("D:/Albums/Holiday.ALB"), "D:/Albums/Holiday.XML");
  EXPECT_EQ(DefaultDataFileName("/home/eva/trip.alb"), "/home/eva/trip.XML");
  EXPECT_EQ(DefaultDataFileName("/home/eva/my.album"), "/home/eva/my.XML");
  EXPECT_EQ(DefaultDataFileName("/home/eva/noext"), "/home/eva/noext.XML");
  EXPECT_EQ(DefaultDataFileName("/home/eva.d/noext"), "/home/eva.d/noext.XML");
}
