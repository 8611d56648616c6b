#include "pic_details_copy.h"

#include <algorithm>
#include <array>

namespace {

using ListOf = QStringList TChapterData::*;
constexpr std::array<ListOf, 5> kLists = {&TChapterData::Files, &TChapterData::Dates,
                                          &TChapterData::Places, &TChapterData::People,
                                          &TChapterData::Titles};
constexpr std::array<QString TDetailFields::*, 5> kFields = {
    &TDetailFields::Filename, &TDetailFields::Date, &TDetailFields::Place, &TDetailFields::People,
    &TDetailFields::Title};

}  // namespace

void TDetailsCopy::Take(int k, const TChapterData& chapter) {
  chapter_ = k;
  working_ = chapter;
  pristine_ = chapter;
}

void TDetailsCopy::Follow(int k, const TChapterData& chapter, const TIndexMap& map) {
  if (k != chapter_) return;
  TChapterData followed = chapter;
  for (int i = 0; i < pristine_.Count() && i < working_.Count(); ++i) {
    const int to = map(i);
    if (to < 0 || to >= followed.Count()) continue;
    for (ListOf list : kLists) {
      if ((working_.*list)[i] != (pristine_.*list)[i]) (followed.*list)[to] = (working_.*list)[i];
    }
  }
  working_ = followed;
  pristine_ = chapter;
}

void TDetailsCopy::SetRange(int a, int b) {
  first_ = a;
  last_ = b < 0 ? a : b;
  if (first_ > last_) std::swap(first_, last_);
}

TDetailFields TDetailsCopy::Fields() const {
  TDetailFields fields;
  if (!ShowsImage()) return fields;
  for (std::size_t n = 0; n < kLists.size(); ++n)
    fields.*kFields[n] = (working_.*kLists[n])[first_];
  return fields;
}

QString TDetailsCopy::NumberText() const {
  if (ShowsImage()) return QString::number(first_ + 1);
  if (first_ < 0) return QString::number(first_);
  return QStringLiteral("%1-%2").arg(first_).arg(last_);
}

void TDetailsCopy::Store(const TDetailFields& fields, EditedFields edited) {
  const int end = std::min(last_, working_.Count() - 1);
  for (int i = std::max(first_, 0); i <= end; ++i) {
    for (std::size_t n = 0; n < kLists.size(); ++n) {
      if ((edited & (1u << n)) == 0) continue;
      const QString& value = fields.*kFields[n];
      if (Single() || (n > 0 && !value.isEmpty())) (working_.*kLists[n])[i] = value;
    }
  }
}
