#pragma once
// What each page of the current spread shows, and in which colour.
//
// Chapter c's colour is BM[c-1]; chapter 0's is InsideColor. Spread 0's left
// page is the back of the chapter's divider (for chapter 0 the inside of the
// front cover); the right page of a chapter's last spread is the front of the
// next chapter's divider, or the inside of the back cover after the last one.

#include <QImage>
#include <QString>

#include "book/page.h"

class AlbumModel;
struct ViewState;

enum class PageShows {
  Title,         // the cover: the album's title
  Nothing,       // only the colour and the bookmarks
  DividerTitle,  // the next chapter's data title, centred
  Images,        // header, thumbnails, footer of page PageNumber
  Empty,         // a page past the chapter's last: colour only
};

struct PageLook {
  PageShows Shows = PageShows::Nothing;
  LookColor Color = 0;
  int PageNumber = 0;  // for Images and Empty
  bool operator==(const PageLook& o) const {
    return Shows == o.Shows && Color == o.Color && PageNumber == o.PageNumber;
  }
};

// The page of kind for the view's CurrentChapter and CurrentPage.
PageLook PageLookFor(PageKind kind, const AlbumModel& model, const ViewState& view,
                     const AlbumLook& look);

// What a thumbnail cell shows in its picture part.
enum class CellPicture {
  Thumbnail,      // the thumbnail
  Video,          // the shared video picture: a video file that exists
  UnknownFormat,  // "Unknown image format": a file that exists but gave no picture
  NoPreview,      // "No preview available": the file is missing
};
CellPicture CellPictureFor(const QImage& thumbnail, const QString& file);

// The footer of image page q of a chapter of pageCount pages: "- Page q/n -",
// with "Page" from the message table.
QString FooterText(int q, int pageCount);
