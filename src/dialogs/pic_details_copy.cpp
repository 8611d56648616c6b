#include "pic_details_copy.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<QString ImageRecord::*, 5> kDetails = {
    &ImageRecord::File, &ImageRecord::Date, &ImageRecord::Place, &ImageRecord::People,
    &ImageRecord::Title};
constexpr std::array<QString DetailFields::*, 5> kFields = {
    &DetailFields::Filename, &DetailFields::Date, &DetailFields::Place, &DetailFields::People,
    &DetailFields::Title};

}  // namespace

void DetailsCopy::Take(int k, const ImageList& chapter) {
  chapter_ = k;
  working_ = chapter;
  pristine_ = chapter;
}

void DetailsCopy::Follow(int k, const ImageList& chapter, const IndexMap& map) {
  if (k != chapter_) return;
  ImageList followed = chapter;
  for (int i = 0; i < pristine_.size() && i < working_.size(); ++i) {
    const int to = map(i);
    if (to < 0 || to >= followed.size()) continue;
    for (auto detail : kDetails) {
      if (working_[i].*detail != pristine_[i].*detail) followed[to].*detail = working_[i].*detail;
    }
  }
  working_ = followed;
  pristine_ = chapter;
}

void DetailsCopy::SetRange(int a, int b) {
  first_ = a;
  last_ = b < 0 ? a : b;
  if (first_ > last_) std::swap(first_, last_);
}

DetailFields DetailsCopy::Fields() const {
  DetailFields fields;
  if (!ShowsImage()) return fields;
  for (std::size_t n = 0; n < kDetails.size(); ++n)
    fields.*kFields[n] = working_[first_].*kDetails[n];
  return fields;
}

QString DetailsCopy::NumberText() const {
  if (ShowsImage()) return QString::number(first_ + 1);
  if (first_ < 0) return QString::number(first_);
  return QStringLiteral("%1-%2").arg(first_).arg(last_);
}

void DetailsCopy::Store(const DetailFields& fields, EditedFields edited) {
  const int end = std::min(last_, static_cast<int>(working_.size()) - 1);
  for (int i = std::max(first_, 0); i <= end; ++i) {
    for (std::size_t n = 0; n < kDetails.size(); ++n) {
      if ((edited & (1u << n)) == 0) continue;
      const QString& value = fields.*kFields[n];
      if (Single() || (n > 0 && !value.isEmpty())) working_[i].*kDetails[n] = value;
    }
  }
}
