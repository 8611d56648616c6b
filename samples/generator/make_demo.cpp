// Builds the demo album: painted pictures, one video clip, a main data file
// linking three chapter files, the format file and the album file. Run at
// build time: make_demo OUTPUT_FOLDER.
//
// The album shows what the program must cope with: a BMP and a GIF beside
// the JPEGs, a video, an entry whose file is missing, a corrupt JPEG, Central
// European letters in every kind of text, a character outside Windows-1250,
// the XML escapes, and a title long enough to wrap.

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <iterator>

#include "avi_writer.h"
#include "core/album_file.h"
#include "core/album_model.h"
#include "core/data_file.h"
#include "core/paths.h"
#include "core/text_file.h"
#include "gif_writer.h"
#include "init/profile_file.h"
#include "scenes.h"

namespace {

enum class Make { Picture, Video, Missing, Corrupt };

// NOLINTNEXTLINE(clang-analyzer-optin.performance.Padding): laid out to read as a table
struct Entry {
  const char* File;
  SceneKind Kind;
  DayTime Time;
  double Sun;
  bool Portrait;
  const char* Title;
  const char* Date;
  const char* Place;
  const char* People;
  Make What = Make::Picture;
};

using K = SceneKind;
using T = DayTime;

const Entry kHome[] = {
    {"zahrada-rano.jpg", K::Meadow, T::Dawn, 0.15, false, "Ráno na zahradě", "5. 6. 2004", "Třeboň",
     "Jiří Dvořák"},
    {"louka.jpg", K::Meadow, T::Day, 0.7, false, "Rozkvetlá louka za domem", "6. 6. 2004", "Třeboň",
     "Žofie Černá, Jiří Dvořák"},
    {"mlha.jpg", K::Forest, T::Dawn, 0.1, false, "Mlha nad lesem", "7. 6. 2004", "Šumava", ""},
    {"rybnik.jpg", K::Lake, T::Day, 0.6, false, "Rybník Svět", "léto 2004", "Třeboň", "Řehoř Malý"},
    {"vecer.bmp", K::Meadow, T::Sunset, 0.2, false, "Večer u chalupy", "8. 6. 2004", "Třeboň",
     "celá rodina"},
    {"reka.jpg", K::Lake, T::Sunset, 0.12, false,
     "Večerní procházka podél řeky, když se nad loukami pomalu snášela mlha a v dálce "
     "zvonily kostelní zvony",
     "9. 6. 2004", "Lužnice", "Žofie Černá"},
    {"bourka.jpg", K::Meadow, T::Overcast, 0.5, false, "Před bouřkou", "10. 6. 2004", "Třeboň", ""},
    {"noc.jpg", K::Meadow, T::Night, 0.6, false, "Letní noc plná hvězd", "10. 6. 2004", "Třeboň",
     ""},
    {"smrky.jpg", K::Forest, T::Day, 0.7, true, "Smrkový les", "11. 6. 2004", "Šumava",
     "Jiří Dvořák"},
    {"usvit.jpg", K::Lake, T::Dawn, 0.08, true, "Úsvit nad hladinou", "12. 6. 2004", "Třeboň", ""},
};

const Entry kMountains[] = {
    {"snezka.jpg", K::Mountains, T::Day, 0.75, false, "Sněžka v poledne", "14. 7. 2005", "Krkonoše",
     "Žofie Černá, Jiří Dvořák"},
    {"lomnica.jpg", K::Mountains, T::Dawn, 0.1, false, "Łomnica o świcie", "15. 7. 2005", "Tatry",
     "Paweł Kołodziej"},
    {"pleso.jpg", K::Lake, T::Day, 0.65, false, "Štrbské pleso", "15. 7. 2005", "Vysoké Tatry",
     "Łucja Wiśniewska"},
    {"piec-stawow.jpg", K::Lake, T::Dawn, 0.2, false, "Dolina Pięciu Stawów", "16. 7. 2005",
     "Tatry", "Paweł Kołodziej, Łucja Wiśniewska"},
    {"hrebeny.gif", K::Mountains, T::Overcast, 0.5, false, "Hřebeny v mlze", "16. 7. 2005",
     "Krkonoše", ""},
    {"rysy.jpg", K::Mountains, T::Day, 0.8, true, "Na vrcholu Rysů", "17. 7. 2005", "Rysy",
     "Jiří Dvořák"},
    {"klec.jpg", K::Forest, T::Day, 0.6, false, "Kosodřevina", "17. 7. 2005", "Krkonoše", ""},
    {"chata.jpg", K::Meadow, T::Sunset, 0.15, false, "Horská chata", "18. 7. 2005", "Luční bouda",
     "Žofie Černá"},
    {"zapad-hory.jpg", K::Mountains, T::Sunset, 0.18, false, "Západ slunce nad hřebeny",
     "18. 7. 2005", "Krkonoše", ""},
    {"hvezdy-hory.jpg", K::Mountains, T::Night, 0.55, false, "Hvězdy nad sedlem", "18. 7. 2005",
     "Krkonoše", ""},
    {"udoli.jpg", K::Meadow, T::Day, 0.7, false, "Údolí pod Sněžkou", "19. 7. 2005",
     "Pec pod Sněžkou", "Řehoř Malý"},
    {"sestup.jpg", K::Forest, T::Overcast, 0.5, true, "Sestup do údolí", "19. 7. 2005", "Krkonoše",
     ""},
};

const Entry kSea[] = {
    {"sopot.jpg", K::Beach, T::Day, 0.7, false, "Pláž v Sopotech", "2. 8. 2006", "Sopot",
     "Łucja Wiśniewska"},
    {"gdansk.jpg", K::Town, T::Sunset, 0.2, false, "Gdańsk – Długie Pobrzeże", "3. 8. 2006",
     "Gdańsk", "Paweł Kołodziej"},
    {"hel.jpg", K::Beach, T::Dawn, 0.1, false, "Ráno na Helu", "4. 8. 2006", "Hel", ""},
    {"ztracena.jpg", K::Beach, T::Day, 0.5, false, "Ztracená fotografie", "5. 8. 2006",
     "neznámo kde", "", Make::Missing},
    {"baltyk.jpg", K::Beach, T::Sunset, 0.15, false, "Západ slunce nad Baltem", "5. 8. 2006",
     "Łeba", "Paweł Kołodziej, Łucja Wiśniewska"},
    {"tihany.jpg", K::Lake, T::Day, 0.6, false, "Balaton – Tihany", "20. 8. 2006", "Tihany",
     "Szőke Ödön"},
    {"balaton-vecer.jpg", K::Lake, T::Sunset, 0.12, false, "Balaton večer", "20. 8. 2006",
     "Balatonfüred", "Kővári Ágnes, Szőke Ödön"},
    {"plachetnice.jpg", K::Beach, T::Day, 0.65, false, "Plachetnice na obzoru", "21. 8. 2006",
     "Siófok", ""},
    {"bourka-more.jpg", K::Beach, T::Overcast, 0.5, false, "Bouřka nad mořem", "22. 8. 2006",
     "Łeba", ""},
    {"mesic.jpg", K::Lake, T::Night, 0.4, false, "Měsíc nad jezerem", "22. 8. 2006", "Balaton", ""},
    {"duny.jpg", K::Beach, T::Day, 0.8, true, "Písečné duny", "23. 8. 2006", "Łeba", "Žofie Černá"},
    {"molo.jpg", K::Lake, T::Dawn, 0.05, false, "Ráno na molu", "24. 8. 2006", "Keszthely",
     "Kővári Ágnes"},
};

const Entry kTowns[] = {
    {"praha.jpg", K::Town, T::Sunset, 0.18, false, "Praha – Karlův most při západu slunce",
     "3. 10. 2007", "Praha", "Jiří Dvořák, Žofie Černá"},
    {"krakow.jpg", K::Town, T::Night, 0.5, false, "Kraków nocą", "5. 10. 2007", "Kraków",
     "Paweł Kołodziej"},
    {"budapest.jpg", K::Town, T::Day, 0.6, false, "Budapešť – nábřeží Dunaje", "8. 10. 2007",
     "Budapest", "Szőke Ödön, Kővári Ágnes"},
    {"dunaj.avi", K::Town, T::Sunset, 0.35, false, "Západ slunce nad Dunajem (video)",
     "8. 10. 2007", "Budapest", "", Make::Video},
    {"wroclaw.jpg", K::Town, T::Dawn, 0.1, false, "Wrocław o poranku", "10. 10. 2007", "Wrocław",
     "Łucja Wiśniewska"},
    {"bratislava.jpg", K::Town, T::Overcast, 0.5, false, "Bratislava v dešti", "12. 10. 2007",
     "Bratislava", ""},
    {"poskozena.jpg", K::Town, T::Day, 0.5, false, "Poškozený soubor", "13. 10. 2007", "Brno", "",
     Make::Corrupt},
    {"osaka.jpg", K::Town, T::Night, 0.45, false, "Pohlednice: Ōsaka 東京", "14. 10. 2007", "Ōsaka",
     "Tanaka 田中"},
    {"koncert.jpg", K::Town, T::Night, 0.3, false, "Koncert „Tom & Jerry <1999>“", "15. 10. 2007",
     "Brno", "Řehoř Malý & přátelé"},
    {"olomouc.jpg", K::Town, T::Day, 0.7, true, "Olomouc – radniční věž", "16. 10. 2007", "Olomouc",
     ""},
    {"szeged.jpg", K::Town, T::Sunset, 0.25, false, "Szeged, Tisza-part", "18. 10. 2007", "Szeged",
     "Szőke Ödön"},
    {"lodz.jpg", K::Town, T::Day, 0.55, false, "Łódź – ulice Piotrkowska", "20. 10. 2007", "Łódź",
     "Paweł Kołodziej"},
};

struct Chapter {
  const char* DataFile;  // relative to the main data file
  const char* Name;      // link text
  const char* Title;
  const char* ImageDir;  // the data file's "dir"
  const char* Pictures;  // where its pictures go, relative to the album folder
  const Entry* Entries;
  int Count;
};

template <int N>
constexpr int Count(const Entry (&)[N]) {
  return N;
}

const Chapter kChapters[] = {
    {"Demo.XML", "", "Cesty po střední Evropě", "pictures/domov", "pictures/domov", kHome,
     Count(kHome)},
    {"chapters/hory.xml", "Hory – Krkonoše a Tatry", "Hory", "../pictures/hory", "pictures/hory",
     kMountains, Count(kMountains)},
    {"chapters/more.xml", "Moře a jezera", "Baltské moře a Balaton", "../pictures/more",
     "pictures/more", kSea, Count(kSea)},
    // No image folder: the picture names carry their path from the data file.
    {"chapters/mesta.xml", "Města", "Praha, Kraków, Budapešť", "", "pictures/mesta", kTowns,
     Count(kTowns)},
};

bool Save(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    std::fprintf(stderr, "make_demo: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

QByteArray Jpeg(const QImage& image, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG", quality);
  return bytes;
}

QByteArray Bmp(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
  return bytes;
}

SceneRecipe Recipe(const Entry& e, std::uint32_t seed) { return {e.Kind, e.Time, seed, e.Sun}; }

// A sunset over the town, the sun sinking frame by frame.
QByteArray Clip(const Entry& e, std::uint32_t seed) {
  constexpr int kFrames = 36;
  QList<QByteArray> frames;
  for (int i = 0; i < kFrames; ++i) {
    SceneRecipe recipe = Recipe(e, seed);
    recipe.SunHeight = e.Sun - 0.45 * i / (kFrames - 1);
    frames << Jpeg(DrawScene(recipe, QSize(320, 240)), 85);
  }
  return EncodeMjpegAvi(frames, 320, 240, 12);
}

// The start of a real JPEG cut off inside its headers, then junk: no
// decoder gets a picture out of it.
QByteArray Corrupt(const Entry& e, std::uint32_t seed) {
  QByteArray bytes = Jpeg(DrawScene(Recipe(e, seed), QSize(800, 600)), 88).left(400);
  for (int i = 0; i < 3000; ++i) bytes += static_cast<char>((i * 73 + 41) % 251);
  return bytes;
}

bool MakeFile(const Entry& e, const QString& path, std::uint32_t seed) {
  const QSize size = e.Portrait ? QSize(600, 800) : QSize(800, 600);
  const QString ext = FileExtUpper(path);
  switch (e.What) {
    case Make::Missing:
      QFile::remove(path);
      return true;
    case Make::Video:
      return Save(path, Clip(e, seed));
    case Make::Corrupt:
      return Save(path, Corrupt(e, seed));
    case Make::Picture:
      break;
  }
  if (ext == u".BMP") return Save(path, Bmp(DrawScene(Recipe(e, seed), QSize(480, 360))));
  if (ext == u".GIF") return Save(path, EncodeGif(DrawScene(Recipe(e, seed), QSize(480, 360))));
  return Save(path, Jpeg(DrawScene(Recipe(e, seed), size), 88));
}

AlbumLook DemoLook() {
  AlbumLook look;
  SetDefaultProfile(look);
  look.FormLeft = 80;
  look.FormTop = 40;
  look.FormWidth = 1240;
  look.FormHeight = 660;
  look.RowCount = 2;
  look.ColumnCount = 3;
  look.TextRowCount = 2;
  look.ThumbnailFrames = false;
  // The program's own textures, wherever it is installed: the two texture
  // lines are left out of the file (see main), so the defaults apply.
  look.CoverColor = RGBColor(46, 70, 110);
  // Gold lettering, to read on the walnut cover.
  look.TitleFont.Color = RGBColor(232, 200, 120);
  look.TitleFont.Font.setUnderline(false);
  look.TitleFont.Font.setPointSize(26);
  look.PageColor = RGBColor(252, 249, 240);
  look.InsideColor = RGBColor(200, 190, 170);
  return look;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_demo OUTPUT_FOLDER\n");
    return 2;
  }
  const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
  AlbumModel model;
  model.DataFiles.clear();
  model.ImageDirs.clear();
  model.DataTitles.clear();
  std::uint32_t seed = 1;
  for (int k = 0; k < static_cast<int>(std::size(kChapters)); ++k) {
    const Chapter& c = kChapters[k];
    model.DataFiles << (k == 0 ? out + QString::fromUtf8(c.DataFile)
                               : QString::fromUtf8(c.DataFile));
    if (k > 0) model.ChapterNames << QString::fromUtf8(c.Name);
    model.DataTitles << QString::fromUtf8(c.Title);
    model.ImageDirs << QString::fromUtf8(c.ImageDir);
    ImageList data;
    for (int i = 0; i < c.Count; ++i) {
      const Entry& e = c.Entries[i];
      const QString path = out + QString::fromUtf8(c.Pictures) + u'/' + QString::fromUtf8(e.File);
      if (!MakeFile(e, path, seed++)) return 1;
      data.append({path, QString::fromUtf8(e.Title), QString::fromUtf8(e.Date),
                   QString::fromUtf8(e.Place), QString::fromUtf8(e.People)});
    }
    ImageEdits::SetChapter(model, k, data);
  }
  // The pictures exist now, so image names are written relative to them.
  for (int k = 0; k < model.DataFiles.size(); ++k) {
    const QString target = ResolvePath(model.DataFiles[0], QString(), model.DataFiles[k]);
    if (!Save(target, DataFileBytes(model, k))) return 1;
  }
  try {
    const QString format = out + QStringLiteral("Demo.AFM");
    SaveProfile(format, DemoLook());
    // A texture key with an empty value means "no texture"; a missing one
    // keeps the program's own.
    QStringList lines = ReadTextLines(format);
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const QString& line) {
                                 return line.startsWith(QStringLiteral("CoverTexture=")) ||
                                        line.startsWith(QStringLiteral("PageTexture="));
                               }),
                lines.end());
    WriteTextLines(format, lines);
    model.AlbumFileName = out + QStringLiteral("Demo.ALB");
    model.FormatFileName = QStringLiteral("Demo.AFM");
    WriteTextLines(model.AlbumFileName, AlbumFileLines(model));
  } catch (const EFileError& error) {
    std::fprintf(stderr, "make_demo: %s\n", error.what());
    return 1;
  }
  return 0;
}
