#pragma once
// Which browsing cursor a point of the book shows: the zones of the book's
// edges, its bottom strip and its thumbnails, as one pure function of the
// state that decides them. The window's own chrome (caption buttons, menu
// tab, move and resize zones) is matched before this is asked.

#include <QPoint>

#include "book/bookmarks.h"
#include "browser/browser_input.h"
#include "core/album_model.h"

struct ZoneState {
  int Width = 0;
  int Height = 0;
  int SpineX = 0;
  int Chapter = -1;      // CurrentChapter
  int Page = -1;         // CurrentPage; -1 is the closed book
  int ChapterCount = 0;  // N
  int LastSpread = 0;    // of Chapter
  bool EditMode = false;
  int EdgeTop = 15;   // where the edge bands begin: the page area's top
  BookmarkTabs Tabs;  // the bookmark tabs as drawn

  bool IsClosed() const { return Chapter < 0 || (Chapter == 0 && Page == -1); }
  // The last spread of the last chapter: nothing lies ahead.
  bool AtAlbumEnd() const { return Chapter == ChapterCount && Page == LastSpread; }
};

// The cursor at p; imageAtP is the image under p (-1: none). Default where
// no browsing zone matches.
BookCursor BrowseZoneCursor(const ZoneState& state, QPoint p, int imageAtP);
