#include "profile_file.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

#include "core/key_value.h"

namespace {

// A signed 32-bit decimal integer, or "$" and up to eight hex digits (a
// hand-written colour); nothing else, not even blanks.
std::optional<std::int32_t> ParseInt(const QString& text) {
  if (text.startsWith(u'$')) {
    const QString digits = text.mid(1);
    if (digits.isEmpty() || digits.size() > 8) return std::nullopt;
    const auto hex = [](QChar c) {
      return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    };
    if (!std::all_of(digits.begin(), digits.end(), hex)) return std::nullopt;
    return static_cast<std::int32_t>(digits.toUInt(nullptr, 16));
  }
  qsizetype start = (text.startsWith(u'-') || text.startsWith(u'+')) ? 1 : 0;
  if (start == text.size() || text.size() > 12) return std::nullopt;
  for (qsizetype i = start; i < text.size(); ++i) {
    if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
  }
  const qlonglong value = text.toLongLong();
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

// Reads the keys of one file in the order that decides the result.
class ProfileReader {
 public:
  explicit ProfileReader(QStringList lines) : lines_(std::move(lines)) {}

  // The value of key when the file gives a non-empty one.
  std::optional<QString> Text(const QString& key) const {
    std::optional<QString> value = FindKeyValue(lines_, key);
    if (!value || value->isEmpty()) return std::nullopt;
    return value;
  }

  // The field's new value: the file's integer, or fallback when the file has
  // the key with something that is not an integer; nothing without the key.
  std::optional<std::int32_t> Int(const QString& key, std::int32_t fallback) const {
    const std::optional<QString> text = Text(key);
    if (!text) return std::nullopt;
    return ParseInt(*text).value_or(fallback);
  }

  void Integer(const QString& key, std::int32_t& field) const {
    if (auto v = Int(key, field)) field = *v;
  }
  void Clamped(const QString& key, std::int32_t& field, std::int32_t low, std::int32_t high) const {
    if (auto v = Int(key, field)) field = std::clamp(*v, low, high);
  }
  void AtLeast(const QString& key, std::int32_t& field, std::int32_t low) const {
    if (auto v = Int(key, field)) field = std::max(*v, low);
  }
  // The lowest eight bits decide, as the format has always read them.
  void Boolean(const QString& key, bool& field) const {
    if (auto v = Int(key, field ? 1 : 0)) field = (*v & 0xFF) != 0;
  }
  void Color(const QString& key, LookColor& field) const {
    if (auto v = Int(key, static_cast<std::int32_t>(field))) field = static_cast<LookColor>(*v);
  }
  // A texture key that is there with no value means no texture: that is how
  // a cleared texture is saved, and it must not come back as the default.
  void Texture(const QString& key, QString& field) const {
    if (auto v = FindKeyValue(lines_, key)) field = *v;
  }

  void Font(const QString& key, LookFont& font) const {
    if (auto name = Text(key)) font.Font.setFamily(*name);
    Color(key + QStringLiteral("Color"), font.Color);
    // Qt refuses sizes below one point, and a giant one would stall every
    // page drawn with it; such a value counts as not a size.
    constexpr std::int32_t kMaxPointSize = 1638;  // the largest a font dialog offers
    if (auto v = Int(key + QStringLiteral("Size"), font.Font.pointSize())) {
      if (*v >= 1 && *v <= kMaxPointSize) font.Font.setPointSize(*v);
    }
    if (auto v = Int(key + QStringLiteral("Style"), FontStyleToCode(FontStyles(font.Font)))) {
      SetFontStyles(font.Font, CodeToFontStyle(*v));
    }
  }

 private:
  QStringList lines_;
};

struct NamedFont {
  const char* key;
  LookFont AlbumLook::*font;
};

// The order in which fonts are read and written.
constexpr NamedFont kFonts[] = {{"TitleFont", &AlbumLook::TitleFont},
                                {"ChapterFont", &AlbumLook::ChapterFont},
                                {"BaseFont", &AlbumLook::BaseFont},
                                {"DescFont", &AlbumLook::DescFont},
                                {"BookmarkFont", &AlbumLook::BookmarkFont}};

constexpr int kStoredBookmarks = 10;  // BM0..BM9; BM10 stays in memory only

int PointSize(const QFont& font) {
  if (font.pointSize() > 0) return font.pointSize();
  // A font sized in pixels: points at 96 dots per inch.
  return font.pixelSize() > 0 ? qRound(font.pixelSize() * 72.0 / 96.0) : 10;
}

QString Bool(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }
QString Signed(LookColor color) { return QString::number(static_cast<std::int32_t>(color)); }

}  // namespace

FontStyleSet FontStyles(const QFont& font) {
  return {font.bold(), font.italic(), font.underline(), font.strikeOut()};
}

void SetFontStyles(QFont& font, const FontStyleSet& styles) {
  font.setBold(styles.Bold);
  font.setItalic(styles.Italic);
  font.setUnderline(styles.Underline);
  font.setStrikeOut(styles.StrikeOut);
}

int FontStyleToCode(const FontStyleSet& styles) {
  return (styles.Bold ? 1 : 0) | (styles.Italic ? 2 : 0) | (styles.Underline ? 4 : 0);
}

FontStyleSet CodeToFontStyle(int code) {
  return {(code & 1) != 0, (code & 2) != 0, (code & 4) != 0, false};
}

bool LoadProfile(const QString& fileName, AlbumLook& profile, std::optional<QPoint> windowPlace) {
  SetDefaultProfile(profile);
  if (fileName.isEmpty() || !QFileInfo::exists(fileName)) return false;
  const ProfileReader file(ReadTextLines(fileName));

  const QPoint place = windowPlace.value_or(QPoint(profile.FormLeft, profile.FormTop));
  if (auto v = file.Int(QStringLiteral("FormLeft"), place.x())) profile.FormLeft = *v;
  if (auto v = file.Int(QStringLiteral("FormTop"), place.y())) profile.FormTop = *v;
  constexpr std::int32_t kMinWindowSide = 350;  // the main window's minimum size
  file.AtLeast(QStringLiteral("FormWidth"), profile.FormWidth, kMinWindowSide);
  file.AtLeast(QStringLiteral("FormHeight"), profile.FormHeight, kMinWindowSide);
  file.Boolean(QStringLiteral("FormMaximized"), profile.FormMaximized);
  file.Clamped(QStringLiteral("RowCount"), profile.RowCount, 1, 10);
  file.Clamped(QStringLiteral("ColumnCount"), profile.ColumnCount, 1, 5);
  file.Clamped(QStringLiteral("TextRowCount"), profile.TextRowCount, 0, 10);
  file.Clamped(QStringLiteral("Zoom"), profile.Zoom, 0, 200);
  file.Boolean(QStringLiteral("ThumbnailFrames"), profile.ThumbnailFrames);
  file.Boolean(QStringLiteral("ExtendedDesc"), profile.ExtendedDesc);
  file.Boolean(QStringLiteral("ShowDate"), profile.ShowDate);
  file.Boolean(QStringLiteral("ShowPlace"), profile.ShowPlace);
  file.Boolean(QStringLiteral("ShowPeople"), profile.ShowPeople);
  file.Texture(QStringLiteral("CoverTexture"), profile.CoverTexture);
  file.Texture(QStringLiteral("PageTexture"), profile.PageTexture);
  file.Color(QStringLiteral("PageColor"), profile.PageColor);
  file.Color(QStringLiteral("CoverColor"), profile.CoverColor);
  file.Color(QStringLiteral("InsideColor"), profile.InsideColor);
  for (const NamedFont& f : kFonts) file.Font(QLatin1String(f.key), profile.*f.font);
  for (int k = 0; k < kStoredBookmarks; ++k) {
    file.Color(QStringLiteral("BM%1").arg(k), profile.BM[static_cast<std::size_t>(k)]);
  }
  return true;
}

bool SaveProfile(const QString& fileName, const AlbumLook& profile) {
  QStringList lines;
  const auto add = [&lines](const QString& key, const QString& value) {
    lines << key + u'=' + value;
  };
  add(QStringLiteral("FormLeft"), QString::number(profile.FormLeft));
  add(QStringLiteral("FormTop"), QString::number(profile.FormTop));
  add(QStringLiteral("FormWidth"), QString::number(profile.FormWidth));
  add(QStringLiteral("FormHeight"), QString::number(profile.FormHeight));
  add(QStringLiteral("FormMaximized"), Bool(profile.FormMaximized));
  add(QStringLiteral("RowCount"), QString::number(profile.RowCount));
  add(QStringLiteral("ColumnCount"), QString::number(profile.ColumnCount));
  add(QStringLiteral("TextRowCount"), QString::number(profile.TextRowCount));
  add(QStringLiteral("Zoom"), QString::number(profile.Zoom));
  add(QStringLiteral("ThumbnailFrames"), Bool(profile.ThumbnailFrames));
  add(QStringLiteral("ExtendedDesc"), Bool(profile.ExtendedDesc));
  add(QStringLiteral("ShowDate"), Bool(profile.ShowDate));
  add(QStringLiteral("ShowPlace"), Bool(profile.ShowPlace));
  add(QStringLiteral("ShowPeople"), Bool(profile.ShowPeople));
  add(QStringLiteral("CoverTexture"), profile.CoverTexture);
  add(QStringLiteral("PageTexture"), profile.PageTexture);
  add(QStringLiteral("PageColor"), Signed(profile.PageColor));
  add(QStringLiteral("CoverColor"), Signed(profile.CoverColor));
  add(QStringLiteral("InsideColor"), Signed(profile.InsideColor));
  for (const NamedFont& f : kFonts) {
    const QString key = QLatin1String(f.key);
    const LookFont& font = profile.*f.font;
    add(key, font.Font.family());
    add(key + QStringLiteral("Color"), Signed(font.Color));
    add(key + QStringLiteral("Size"), QString::number(PointSize(font.Font)));
    add(key + QStringLiteral("Style"), QString::number(FontStyleToCode(FontStyles(font.Font))));
  }
  for (int k = 0; k < kStoredBookmarks; ++k) {
    add(QStringLiteral("BM%1").arg(k), Signed(profile.BM[static_cast<std::size_t>(k)]));
  }
  WriteTextLines(fileName, lines);
  return true;
}
