#pragma once
// What a slideshow shows, in order: the album's pictures from a starting
// image to the album's end, across chapters, with a title card before each
// later chapter that has something to show.

#include <QList>
#include <QString>
#include <utility>

class AlbumModel;
struct ViewState;

enum class SlideKind { Photo, Video, Title };

struct SlideItem {
  SlideKind Kind = SlideKind::Photo;
  int Chapter = 0;
  int Index = -1;  // the image; -1 for a title card
  QString File;    // full path; empty for a title card
};

// Where a slideshow starts (chapter, image): in edit mode the selection's
// moving end, else the first image of the spread shown; the closed book at the
// album's first image.
std::pair<int, int> SlideStart(const ViewState& view, bool editMode, int imagesPerPage);

// From image first of chapter to the album's end. Missing files are left
// out; a start past the chapter's images goes on with the next chapter.
QList<SlideItem> SlideSequence(const AlbumModel& model, int chapter, int first);
