// Reads the bytes as a look (format) file, then places the window it describes on several screen
// layouts and lays the book out at that size and at the size the windowless commands use. The
// window must land on the screens, and the look written back must read as the same look.

#include <QFile>
#include <cstdlib>

#include "book/book_layout.h"
#include "book/sized_book_window.h"
#include "browser/window_chrome.h"
#include "init/profile_file.h"
#include "init/program_settings.h"
#include "support/fuzz_app.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Three chapters of a few images each, the first one shown.
AlbumModel SmallAlbum() {
  AlbumModel model;
  model.DataFiles = {QStringLiteral("/a/main.xml"), QStringLiteral("one.xml"),
                     QStringLiteral("two.xml")};
  model.ChapterNames = {QStringLiteral("One"), QStringLiteral("A much longer chapter name")};
  AlbumImages images;
  for (int k = 0; k < 3; ++k)
    images[k] = ImagesOf(QStringList(7 * k + 1, QStringLiteral("/a/p.jpg")));
  ImageEdits::SetAlbum(model, std::move(images));
  return model;
}

void LayOut(const AlbumLook& look, QSize window) {
  static const AlbumModel model = SmallAlbum();
  BookLayout layout(look);
  layout.SetWindowSize(window);
  Check(layout.SpineX() >= 0 && layout.SpineX() <= window.width());
  layout.ThumbnailBox();
  for (int c = 0; c <= model.ChapterCount(); ++c) {
    for (int p = 0; p <= model.LastSpread(c, look.ImagesPerPage()); p += 2)
      layout.LayBookmarks(model, ViewState{c, p, 0, -1});
  }
  BookOutline(window, layout.SpineX(), false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzApp();
  const QString file = FuzzScratch().filePath("look.AFM");
  QFile out(file);
  Check(out.open(QIODevice::WriteOnly) &&
        out.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
  out.close();
  AlbumLook look;
  LoadProfile(file, look, QPoint(-30, 5000));
  const QList<QList<QRect>> layouts{
      {},
      {QRect(0, 0, 1920, 1050)},
      {QRect(0, 0, 1280, 1024), QRect(1280, -200, 1080, 1920), QRect(-800, 0, 800, 600)}};
  for (const QList<QRect>& screens : layouts) {
    const QRect placed =
        PlaceWindow(look.FormLeft, look.FormTop, look.FormWidth, look.FormHeight, screens);
    Check(placed.isValid());
    QRect all;
    for (const QRect& s : screens) all |= s;
    Check(screens.isEmpty() || all.contains(placed));
    LayOut(look, placed.size());
  }
  SizedBookWindow headless{QSize()};
  OpenAlbum album;
  ProgramSettings settings;
  BookView book(album, headless, look, settings);
  headless.SetBook(&book);
  LayOut(look, headless.Size());
  // Written and read back.
  Check(SaveProfile(file, look));
  AlbumLook again;
  LoadProfile(file, again);
  Check(again == look);
  return 0;
}
