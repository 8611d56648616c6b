// Finding pictures whose files were moved: the offer after opening an album
// and the FindMissing command.
#include <QDir>
#include <QFileInfo>

#include "book/busy_cursor.h"
#include "browser/album_browser.h"
#include "browser/edit_window.h"
#include "browser/missing_photos.h"
#include "core/message_table.h"
#include "core/prompts.h"

namespace {

// Up to five names, one a line, and "..." when there are more.
QString SomeNames(const QList<MissingImage>& missing) {
  QStringList names;
  for (int i = 0; i < missing.size() && i < 5; ++i)
    names << QDir::toNativeSeparators(missing[i].File);
  if (missing.size() > 5) names << QStringLiteral("...");
  return names.join(u'\n');
}

// The album's file, or its first data file when it has none.
QString AlbumFileOf(const AlbumModel& model) {
  return QFileInfo(model.AlbumFileName.isEmpty() ? model.DataFiles.value(0) : model.AlbumFileName)
      .absoluteFilePath();
}

}  // namespace

void EditWindow::OfferFindMissing() {
  const int count = static_cast<int>(MissingImages(Model()).size());
  const QString album = AlbumFileOf(Model());
  // Declined once: not again while as many are missing (the command stays).
  if (count == 0 || DeclinedMissing(album) == count) return;
  if (window_.prompts().AskYesNo(Msg(QStringLiteral("MissingPhotos")).arg(count))) {
    window_.RunAction(QStringLiteral("FindMissing"));
  } else {
    RememberDeclinedMissing(album, count);
  }
}

void EditWindow::FindMissingExecute() {
  const AlbumModel& model = Model();
  const QList<MissingImage> missing = MissingImages(model);
  if (missing.isEmpty()) return;
  const QString folder = window_.prompts().GetDirectory(QFileInfo(AlbumFileOf(model)).path());
  if (folder.isEmpty()) return;
  FoundImages result;
  {
    BusyCursor busy;
    result = FindMoved(model, missing, folder);
  }
  if (!result.Found.isEmpty()) undo_.Relink(result.Found, QStringLiteral("Find missing photos"));
  QString text =
      Msg(QStringLiteral("MissingFound")).arg(result.Found.size()).arg(result.Missing.size());
  if (!result.Missing.isEmpty()) text += QStringLiteral("\n\n") + SomeNames(result.Missing);
  window_.prompts().ShowWarning(text);
}
