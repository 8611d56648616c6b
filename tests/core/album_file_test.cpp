#include "core/album_file.h"

#include <gtest/gtest.h>

#include "core/album_model.h"

TEST(AlbumFile, KeysMatchWithoutCaseInAnyOrder) {
  struct Case {
    const char *what, *lines, *data, *format;  // lines joined by '\n'
  };
  const Case cases[] = {
      {"the order the program writes", "DataFile=Trip.XML\nFormatFile=blue.afm", "Trip.XML",
       "blue.afm"},
      {"any order, other lines, any case",
       "; made by hand\nformatfile=styles\\blue.afm\n\nDATAFILE=data\\main.xml", "data\\main.xml",
       "styles\\blue.afm"},
      {"no lines at all", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QString lines = c.lines;
    const AlbumFileValues values =
        ReadAlbumFileValues(lines.isEmpty() ? QStringList() : lines.split(u'\n'));
    EXPECT_EQ(values.DataFile, c.data);
    EXPECT_EQ(values.FormatFile, c.format);
  }
}

TEST(AlbumFile, NamesAreWrittenRelativeToTheAlbumFile) {
  struct Case {
    const char *album, *data, *format, *lines;
  };
  const Case cases[] = {
      {"D:/Albums/Trip.ALB", "D:/Albums/Trip.XML", "", "DataFile=Trip.XML\nFormatFile="},
      {"D:\\Albums\\Trip.ALB", "d:\\albums\\data\\main.xml", "D:\\Albums\\styles\\blue.afm",
       "DataFile=data/main.xml\nFormatFile=styles/blue.afm"},
      {"D:/Albums/Trip.ALB", "E:/Other/main.xml", "D:/Looks/blue.afm",
       "DataFile=E:/Other/main.xml\nFormatFile=../Looks/blue.afm"},
      {"/home/eva/Trip.ALB", "/home/eva/x/main.xml", "styles/blue.afm",
       "DataFile=x/main.xml\nFormatFile=styles/blue.afm"},
      {"/home/eva/Trip.ALB", "C:/Data/main.xml", "", "DataFile=C:/Data/main.xml\nFormatFile="},
      {"/home/eva/Trip.ALB", "", "", "DataFile=\nFormatFile="},
  };
  for (const Case& c : cases) {
    AlbumModel model;
    model.AlbumFileName = c.album;
    model.DataFiles[0] = c.data;
    model.FormatFileName = c.format;
    EXPECT_EQ(AlbumFileLines(model).join(u'\n'), c.lines) << c.album;
  }
}

TEST(AlbumFile, NewAlbumsDataFileIsNamedAfterIt) {
  EXPECT_EQ(DefaultDataFileName("D:/Albums/Holiday.ALB"), "D:/Albums/Holiday.XML");
  EXPECT_EQ(DefaultDataFileName("/home/eva/my.album"), "/home/eva/my.XML");
  EXPECT_EQ(DefaultDataFileName("/home/eva.d/noext"), "/home/eva.d/noext.XML");
}
