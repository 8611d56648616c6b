#pragma once
// The working copy of the image properties dialog: a copy of one chapter's
// details that field edits go into until Apply writes them back, and the
// range of images the dialog shows.
//
// The copy never goes stale: when the chapter's images are moved, added or
// removed while the dialog is open, it is taken again from the chapter and
// the unapplied edits of the images that still exist move with them.

#include <QString>

#include "core/chapter_block.h"

// The five fields as the dialog shows them.
struct DetailFields {
  QString Filename;  // in full form when stored
  QString Date;
  QString Place;
  QString People;
  QString Title;
};

class DetailsCopy {
 public:
  // A fresh copy of chapter k's details, with no edits.
  void Take(int k, const ImageList& chapter);
  // Chapter k changed as map tells; the copy follows with its edits.
  void Follow(int k, const ImageList& chapter, const IndexMap& map);

  int Chapter() const { return chapter_; }
  const ImageList& Data() const { return working_; }
  // Edits not yet applied.
  bool HasEdits() const { return !(working_ == pristine_); }

  // last := b, or a when b < 0; the two in ascending order.
  void SetRange(int a, int b);
  int First() const { return first_; }
  int Last() const { return last_; }
  bool Single() const { return first_ == last_; }
  // A single image of the copy is shown (else the fields are empty and bold).
  bool ShowsImage() const { return Single() && first_ >= 0 && first_ < working_.size(); }
  // The shown image's details (file name in full form); empty for a range.
  DetailFields Fields() const;
  // One-based for a single image, zero-based "3-7" for a range.
  QString NumberText() const;

  // Which of the five fields the person edited, in the order of
  // DetailFields (bit 0 the file name).
  using EditedFields = unsigned;

  // Writes the edited fields into the copy: for a single image each one as
  // it is, for a range each non-empty one into every image of the range
  // (the file name never). A field not edited is never written, so what it
  // could not show or give back exactly stays as it was. Images beyond the
  // copy are left out.
  void Store(const DetailFields& fields, EditedFields edited);

 private:
  int chapter_ = -1;
  int first_ = -1;
  int last_ = -1;
  ImageList working_;
  ImageList pristine_;  // the chapter as the copy was taken or last followed
};
