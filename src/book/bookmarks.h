#pragma once
// Where the chapter bookmarks lie along the book's outer edges: the edge
// positions measured from the chapter names, and the tabs laid out from them
// for the spread on screen. Drawing, the mouse cursor and clicks all use the
// same tabs, so a tab acts exactly where it is drawn.

#include <QPoint>
#include <QRect>
#include <QStringList>
#include <array>
#include <vector>

#include "book/page_geometry.h"
#include "core/album_model.h"

class QFontMetrics;

// Positions from the page area's top: [0] = 10 and [i] = [i-1] + the width of
// chapter i's name + 10, for i = 1 .. chapterCount; entries past
// chapterCount repeat the last. Bookmark i spans [i-1] to [i].
std::array<int, MaxDataFiles> ComputeBookmarkEdges(const QStringList& chapterNames,
                                                   int chapterCount, const QFontMetrics& metrics);

// One chapter's tab as the open book shows it.
struct BookmarkTab {
  int Chapter = 0;       // the tab of chapter Chapter (1 .. N): it leads to where it begins
  bool OnRight = false;  // on the right page's edge: a chapter ahead
  QRect Rect;            // the rounded rectangle drawn, in window coordinates
  int EdgeX = 0;         // the page's edge line across it, in window coordinates
  // False for the tab beside its own divider (the divider's back on the left
  // page of the chapter's opening spread, its front on the right page of the
  // chapter before's last spread): that tab joins the page, without an edge
  // line over it, and a click on it would stay where the book is.
  bool Active = true;
};

// What the tabs of a spread are laid out from.
struct BookmarkLayout {
  std::array<int, MaxDataFiles> Edges{};  // ComputeBookmarkEdges
  int ChapterCount = 0;                   // N
  int Chapter = -1;                       // CurrentChapter
  int Spread = -1;                        // CurrentPage; -1 is the closed book
  int LastSpread = 0;                     // of Chapter
  EdgeRect LeftArea;                      // the pages' areas, in page coordinates
  EdgeRect RightArea;
  int SpineX = 0;     // where the right page starts in the window
  int HalfWidth = 0;  // of a tab across the edge: the bookmark font's height
};

class BookmarkTabs {
 public:
  BookmarkTabs() = default;
  // The tabs of the spread: the chapters behind and the current one on the
  // left page, the chapters ahead on the right; none for a closed book. A
  // tab that would reach below the page area is left out.
  explicit BookmarkTabs(const BookmarkLayout& layout);

  // In the order they are drawn, each over the ones before it: the left
  // page's from chapter 1 down, the right page's from chapter N up.
  const std::vector<BookmarkTab>& Tabs() const { return tabs_; }
  // The tab shown at p: the one drawn on top over p's row, from the page's
  // edge line out to the window's edge. nullptr between and beyond the tabs
  // and on the page itself.
  const BookmarkTab* At(QPoint p) const;

 private:
  std::vector<BookmarkTab> tabs_;
};
