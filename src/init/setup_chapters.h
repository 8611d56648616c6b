#pragma once
// The chapters page of the setup dialog without the dialog: a working copy of
// the album's chapter structure that is edited freely and laid into the model
// only on commit.
//
// Slots are where the working data sit (slot 0 is the album itself, its main
// data file); positions are the order the user sees (position 0 is always the
// album, position i >= 1 is list entry i-1). Editing a chapter changes the
// data of its slot; moving changes only the order; the commit lays the slots
// out in position order, each chapter taking its images, thumbnails, what its
// file holds (and so whether it has unsaved changes) and bookmark colour along.
//
// In program-settings mode the same list holds "Bookmark 1".."Bookmark 10"
// and only arranges and recolours the default bookmark colours.

#include <QString>
#include <QStringList>
#include <array>

#include "core/data_file.h"
#include "core/open_album.h"
#include "init/profile.h"

constexpr int MaxChapters = MaxDataFiles - 1;  // the album data file links ten

class ChapterWork {
 public:
  // colors: the working look whose BM(s-1) is the bookmark colour of slot s.
  explicit ChapterWork(AlbumLook& colors) : colors_(&colors) {}
  void SetColors(AlbumLook& colors) { colors_ = &colors; }

  QStringList WorkDataFiles;  // data file of slot s
  QStringList WorkTitles;     // title of slot s; slot 0 is the album's
  QStringList WorkDirs;       // image folder of slot s
  AlbumImages WorkChapters;
  // Unsaved changes of slot s made or read here. On commit a chapter read
  // in the dialog and not edited since counts as saved; every other chapter
  // is modified exactly while it differs from what its file holds.
  std::array<bool, MaxDataFiles> WorkDataModified{};
  QStringList Entries;  // the list: entry p is the bookmark title of position p+1
  std::array<int, MaxDataFiles + 1> ChapterOrder{};   // slot shown at position i
  std::array<bool, MaxDataFiles + 1> FreshChapter{};  // added or re-read here
  int NextSlot = 1;                                   // the slot the next chapter takes
  int Selected = -1;                                  // selected entry, -1 none
  bool AlbumMode = false;

  // Album mode: copies the model's chapters and selects the entry of the
  // chapter on screen (the next one when the spread shows its opening page).
  void FillAlbum(const AlbumModel& model, const ViewState& view, int imagesPerPage);
  // Program-settings mode: the ten entries "<word> 1".."<word> 10".
  void FillBookmarks(const QString& word);
  void ResetOrder();

  int Count() const { return static_cast<int>(Entries.size()); }
  // The slot of the selected entry; -1 when none is selected.
  int SelectedSlot() const;
  LookColor SlotColor(int slot) const;

  // The edits of the selected chapter; each returns whether it changed
  // anything (nothing is selected, or the text is the same).
  bool SetBookmarkTitle(const QString& text);
  bool SetChapterTitle(const QString& text);
  bool SetChapterDir(const QString& text);
  bool SetSelectedColor(LookColor color);
  bool MoveUp();
  bool MoveDown();

  enum class AddResult { Added, Full, Cancelled, AlreadyIncluded };
  // Asks for a data file (a new name allowed) and appends it as a chapter,
  // read from disk when it exists. A name the album already holds, in any
  // letter case, is refused with the "FileAlreadyIncluded" warning.
  AddResult AddChapter(const DataFileContext& context, const QString& albumFileName);
  // Removes the selected chapter; its data file stays on disk and its colour
  // moves behind the remaining chapters.
  bool RemoveChapter();

  // Album chapters under a new main data file: when it exists its whole
  // chapter structure is read into the working copy (every position fresh);
  // when not, the chapters are dropped and the album keeps its own images.
  // albumTitle takes the title read.
  void LoadMainDataFile(const DataFileContext& context, const QString& name, QString& albumTitle);

  // The values the album's own entries take on commit.
  struct AlbumEntries {
    QString Title;
    QString ImageDir;
    QString DataFile;
  };
  // Lays the working copy into the model in position order (chaptersChanged)
  // or only the album's own entries (otherwise). The bookmark colours of
  // look follow their chapters, and so do the thumbnails. The view stays on the chapter it showed,
  // at the same spread, or goes to chapter 0, spread 0 when that chapter was removed or re-read.
  void Commit(AlbumModel& model, ViewState& view, AlbumThumbnails& thumbs, AlbumLook& look,
              const AlbumEntries& album, bool chaptersChanged);
  // Program-settings mode: BM k of look := the colour now shown at position
  // k+1. The order stays until ResetOrder.
  void ArrangeBookmarkColors(AlbumLook& look) const;

 private:
  // The selected slot's entry of a working list := text (its data file then
  // has unsaved changes).
  bool SetSlotText(QStringList& list, const QString& text);
  // The full path of a stored data file name, for comparing.
  QString FullDataFileName(const QString& name) const;

  AlbumLook* colors_;
  // The model index each slot's chapter came from (its thumbnails sit
  // there), -1 for a chapter added or read in the dialog. Slots shift when a
  // chapter is removed; this keeps the thumbnails and the view with them.
  std::array<int, MaxDataFiles> slotOrigin_{};
};
