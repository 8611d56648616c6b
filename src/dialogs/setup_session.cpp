#include "dialogs/setup_session.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "book/paint_tools.h"
#include "core/album_window.h"
#include "core/file_error.h"
#include "core/message_table.h"
#include "core/paths.h"
#include "core/program_files.h"
#include "core/progress.h"
#include "core/prompts.h"
#include "init/profile_file.h"

namespace {

const QString kTextureFilter = QStringLiteral(
    "Image files (*.BMP *.GIF *.JPG *.JPEG *.bmp *.gif *.jpg *.jpeg);;"
    "Video files (*.MPG *.MPEG *.AVI *.mpg *.mpeg *.avi);;BMP files (*.BMP *.bmp);;"
    "GIF files (*.GIF *.gif);;JPG files (*.JPG *.JPEG *.jpg *.jpeg);;All files (*)");
const QString kFormatFilter = QStringLiteral("Album format files (*.AFM *.afm);;All files (*)");
const QString kDataFilter = QStringLiteral("Album data files (*.XML *.xml);;All files (*)");
const QString kLanguageFilter = QStringLiteral("Language files (*.LNG *.lng);;All files (*)");

LookColor FromQColor(const QColor& color) {
  return RGBColor(color.red(), color.green(), color.blue());
}

QString ExistingFile(const QString& name) { return QFileInfo(name).isFile() ? name : QString(); }

// The folder a file dialog starts in: that of the first non-empty name.
QString StartFolder(const QString& first, const QString& second) {
  if (!first.isEmpty() && !FolderPart(first).isEmpty()) return FolderPart(first);
  if (!second.isEmpty()) return FolderPart(second);
  return ProgramDirectory();
}

FileDialogRequest Request(const QString& filter, const char* suffix, const QString& fileName,
                          const QString& folder, bool allowNew) {
  FileDialogRequest request;
  request.Filter = filter;
  request.DefaultSuffix = QLatin1String(suffix);
  request.FileName = fileName;
  request.InitialDir = folder;
  request.AllowNewFile = allowNew;
  return request;
}

// An error of a file operation, with the file on a line of its own.
QString FileErrorText(const EFileError& error) {
  return error.Message() + QStringLiteral("\r\n") + QDir::toNativeSeparators(error.FileName());
}

}  // namespace

GridBounds GridLimits(LookField field) {
  switch (field) {
    case LookField::Columns:
      return {1, 5};
    case LookField::Rows:
      return {1, 10};
    case LookField::TextRows:
      return {0, 10};
    default:
      return {0, 1};
  }
}

SetupSession::SetupSession(const SetupContext& context)
    : Chapters(SetupProfile), context_(context) {
  SetDefaultProfile(SetupProfile);
}

bool SetupSession::OpenProgramSettings() {
  Mode = SetupMode::Program;
  Target = LookTarget::Cover;
  try {
    LoadDefaultLook(context_.Settings.Profile, SetupProfile);
  } catch (const EFileError& error) {
    // Opening on the defaults would let OK overwrite a file never read.
    context_.Document.Data.Ask.ShowError(FileErrorText(error));
    return false;
  }
  EditAllowed = true;
  Fill();
  return true;
}

void SetupSession::OpenAlbum() {
  Mode = SetupMode::Album;
  Target = LookTarget::Cover;
  AssignProfile(SetupProfile, context_.Document.Look);
  EditAllowed = context_.Document.Data.Window.IsEditMode();
  Fill();
}

void SetupSession::Fill() {
  FillingControls = true;
  const AlbumModel& model = Model();
  ChaptersChanged = false;
  GridChanged = false;
  AlbumChanged = model.AlbumModified;
  LookChanged = model.FormatModified;
  if (Mode == SetupMode::Album) {
    Chapters.FillAlbum(model, context_.Document.Data.View, context_.Document.Look.ImagesPerPage());
    Title = model.DataTitles.value(0);
    DataFile = model.DataFiles.value(0);
    AlbumDir = model.ImageDirs.value(0);
    ProfileName = model.FormatFileName;
  } else {
    WorkSettings = context_.Settings;
    ProfileName = context_.Settings.Profile;
    Chapters.FillBookmarks(Msg(QStringLiteral("Bookmark")));
  }
  ShowLook();
  ApplyEnabled = false;
  FillingControls = false;
}

// Look page.

void SetupSession::ShowLook() {
  PendingCoverTexture = SetupProfile.CoverTexture;
  PendingPageTexture = SetupProfile.PageTexture;
}

void SetupSession::SetTarget(LookTarget target) {
  Target = target;
  ShowLook();
}

LookPreview SetupSession::Preview() const {
  const AlbumLook& look = SetupProfile;
  LookPreview preview;
  // Hidden samples keep their fonts too, so their room does not change
  // with the target.
  preview.Font2 = look.BaseFont;
  preview.BMFont = look.BookmarkFont;
  switch (Target) {
    case LookTarget::Cover:
      preview.Color = ToQColor(look.CoverColor);
      preview.Texture = ExistingFile(PendingCoverTexture);
      preview.Font1 = look.TitleFont;
      break;
    case LookTarget::Inside:
      preview.Color = ToQColor(look.InsideColor);
      preview.Font1 = look.ChapterFont;
      preview.ShowTexture = false;
      preview.ShowFont1 = false;
      break;
    case LookTarget::Bookmarks:
      // The first bookmark as the chapters page now orders them.
      preview.Color = ToQColor(Chapters.Count() > 0 ? Chapters.SlotColor(Chapters.ChapterOrder[1])
                                                    : look.BM[0]);
      preview.Font1 = look.ChapterFont;
      preview.ShowColor = false;
      preview.ShowTexture = false;
      preview.ShowFont2 = true;
      preview.ShowBMFont = true;
      break;
    case LookTarget::Pages:
      preview.Color = ToQColor(look.PageColor);
      preview.Texture = ExistingFile(PendingPageTexture);
      preview.Font1 = look.DescFont;
      preview.ShowFont2 = true;
      break;
  }
  return preview;
}

int SetupSession::LookValue(LookField field) const {
  const AlbumLook& look = SetupProfile;
  switch (field) {
    case LookField::Columns:
      return look.ColumnCount;
    case LookField::Rows:
      return look.RowCount;
    case LookField::TextRows:
      return look.TextRowCount;
    case LookField::Extended:
      return look.ExtendedDesc;
    case LookField::Date:
      return look.ShowDate;
    case LookField::Place:
      return look.ShowPlace;
    case LookField::People:
      return look.ShowPeople;
    case LookField::Frames:
      return look.ThumbnailFrames;
  }
  return 0;
}

void SetupSession::SetLookValue(LookField field, int value) {
  if (FillingControls || LookValue(field) == value) return;
  const GridBounds limits = GridLimits(field);
  value = std::clamp(value, limits.Low, limits.High);
  AlbumLook& look = SetupProfile;
  switch (field) {
    case LookField::Columns:
      look.ColumnCount = value;
      break;
    case LookField::Rows:
      look.RowCount = value;
      break;
    case LookField::TextRows:
      look.TextRowCount = value;
      break;
    case LookField::Extended:
      look.ExtendedDesc = value != 0;
      break;
    case LookField::Date:
      look.ShowDate = value != 0;
      break;
    case LookField::Place:
      look.ShowPlace = value != 0;
      break;
    case LookField::People:
      look.ShowPeople = value != 0;
      break;
    case LookField::Frames:
      look.ThumbnailFrames = value != 0;
      break;
  }
  if (field != LookField::Frames) GridChanged = true;
  LookEdited();
}

void SetupSession::LookEdited() {
  LookChanged = true;
  Changed();
}

void SetupSession::ChooseColor() {
  LookColor* field = Target == LookTarget::Cover    ? &SetupProfile.CoverColor
                     : Target == LookTarget::Inside ? &SetupProfile.InsideColor
                     : Target == LookTarget::Pages  ? &SetupProfile.PageColor
                                                    : nullptr;
  if (field == nullptr) return;
  const auto color = context_.Document.Data.Ask.GetColor(ToQColor(*field));
  if (!color) return;
  *field = FromQColor(*color);
  LookEdited();
}

QString& SetupSession::PendingTexture() {
  return Target == LookTarget::Cover ? PendingCoverTexture : PendingPageTexture;
}

void SetupSession::ChooseTexture() {
  if (Target != LookTarget::Cover && Target != LookTarget::Pages) return;
  QString& pending = PendingTexture();
  const QString chosen = context_.Document.Data.Ask.GetOpenFileName(
      Request(kTextureFilter, "", pending, StartFolder(pending, QString()), false));
  if (chosen.isEmpty()) return;
  // The book tiles textures through the same reader: what it cannot read
  // here it could not draw.
  if (TexturePicture(chosen).isNull()) {
    context_.Document.Data.Ask.ShowError(Msg(QStringLiteral("UnknownImageFormat")) +
                                         QStringLiteral("\r\n") + QDir::toNativeSeparators(chosen));
    return;
  }
  pending = chosen;
  (Target == LookTarget::Cover ? SetupProfile.CoverTexture : SetupProfile.PageTexture) = chosen;
  LookEdited();
}

void SetupSession::ClearTexture() {
  if (Target != LookTarget::Cover && Target != LookTarget::Pages) return;
  PendingTexture().clear();
  (Target == LookTarget::Cover ? SetupProfile.CoverTexture : SetupProfile.PageTexture).clear();
  LookEdited();
}

LookFont* SetupSession::FontOf(int button) {
  AlbumLook& look = SetupProfile;
  switch (Target) {
    case LookTarget::Cover:
      return button == 1 ? &look.TitleFont : nullptr;
    case LookTarget::Inside:
      return nullptr;
    case LookTarget::Bookmarks:
      return button == 1 ? &look.BookmarkFont : &look.ChapterFont;
    case LookTarget::Pages:
      return button == 1 ? &look.DescFont : &look.BaseFont;
  }
  return nullptr;
}

void SetupSession::ChooseFont(int button) {
  LookFont* font = FontOf(button);
  if (font == nullptr) return;
  const auto chosen = context_.Document.Data.Ask.GetFont(font->Font);
  if (!chosen) return;
  font->Font = *chosen;  // the colour stays: the font dialog has none
  LookEdited();
}

void SetupSession::ChooseFontColor(int button) {
  LookFont* font = FontOf(button);
  if (font == nullptr) return;
  const auto color = context_.Document.Data.Ask.GetColor(ToQColor(font->Color));
  if (!color) return;
  font->Color = FromQColor(*color);
  LookEdited();
}

void SetupSession::RestoreDefaultLook() {
  SetDefaultProfile(SetupProfile);
  ShowLook();
  LookEdited();
}

// General page, program settings.

void SetupSession::ChooseLanguage() {
  const QString& current = WorkSettings.Language;
  const QString chosen = context_.Document.Data.Ask.GetOpenFileName(
      Request(kLanguageFilter, "LNG", current, StartFolder(current, QString()), false));
  if (chosen.isEmpty()) return;
  WorkSettings.Language = chosen;
  Changed();
  // Also for the same file again: the user learns when a choice takes effect.
  context_.Document.Data.Ask.ShowWarning(Msg(QStringLiteral("RequiresRestart")));
}

void SetupSession::DefaultLanguage() {
  Prompts& ask = context_.Document.Data.Ask;
  ask.ShowWarning(Msg(QStringLiteral("DefaultIsEnglish")));
  WorkSettings.Language.clear();
  Changed();
  ask.ShowWarning(Msg(QStringLiteral("RequiresRestart")));
}

void SetupSession::SetFreeMemory(bool on) {
  if (FillingControls || WorkSettings.FreeMemory == on) return;
  WorkSettings.FreeMemory = on;
  if (on) WorkSettings.LoadAllChapters = false;
  Changed();
}

void SetupSession::SetLoadAllChapters(bool on) {
  if (FillingControls || WorkSettings.LoadAllChapters == on) return;
  WorkSettings.LoadAllChapters = on;
  if (on) WorkSettings.FreeMemory = false;
  Changed();
}

void SetupSession::ChangeSettings(const std::function<void(ProgramSettings&)>& change) {
  if (FillingControls) return;
  ProgramSettings changed = WorkSettings;
  change(changed);
  if (changed == WorkSettings) return;
  WorkSettings = std::move(changed);
  Changed();
}

// General page, album.

void SetupSession::SetTitle(const QString& title) {
  if (FillingControls || Title == title) return;
  Title = title;
  Chapters.WorkDataModified[0] = true;
  Changed();
}

void SetupSession::SetAlbumDir(const QString& dir) {
  if (FillingControls || AlbumDir == dir) return;
  AlbumDir = dir;
  // The main data file names the folder: a change to save.
  Chapters.WorkDataModified[0] = true;
  Changed();
}

namespace {

// A folder chosen for the images of a data file, starting at the folder it
// names now (relative to the data file); empty when cancelled.
QString ChooseImageDir(Prompts& ask, const QString& dataFile, const QString& dir) {
  const QString start = dataFile.isEmpty() ? dir : ResolvePath(dataFile, dir, QString());
  return ask.GetDirectory(start);
}

}  // namespace

void SetupSession::ChooseAlbumDir() {
  const QString dir = ChooseImageDir(context_.Document.Data.Ask, DataFile, AlbumDir);
  if (!dir.isEmpty()) SetAlbumDir(dir);
}

void SetupSession::ChooseChapterDir() {
  const int slot = Chapters.SelectedSlot();
  if (slot < 1) return;
  const QString dataFile = ResolvePath(DataFile, QString(), Chapters.WorkDataFiles.value(slot));
  const QString dir =
      ChooseImageDir(context_.Document.Data.Ask, dataFile, Chapters.WorkDirs.value(slot));
  if (!dir.isEmpty()) SetChapterDir(dir);
}

void SetupSession::ChooseFormatFile() {
  Prompts& ask = context_.Document.Data.Ask;
  const QString chosen = ask.GetOpenFileName(Request(
      kFormatFilter, "AFM", ProfileName, StartFolder(ProfileName, Model().AlbumFileName), true));
  if (chosen.isEmpty()) return;
  const QString full = ExpandPath(chosen, RealPathContext());
  if (QFileInfo(full).isFile()) {
    // Read into a copy: a file that cannot be read leaves the working look.
    AlbumLook loaded;
    try {
      LoadProfile(full, loaded);
    } catch (const EFileError& error) {
      ask.ShowError(FileErrorText(error));
      return;
    }
    AssignProfile(SetupProfile, loaded);
  }
  ProfileName = full;
  ShowLook();
  AlbumChanged = true;
  Changed();
}

void SetupSession::ClearFormatFile() {
  ProfileName.clear();
  ShowLook();
  AlbumChanged = true;
  Changed();
}

void SetupSession::ChooseDataFile() {
  Prompts& ask = context_.Document.Data.Ask;
  const QString chosen = ask.GetOpenFileName(
      Request(kDataFilter, "XML", DataFile, StartFolder(DataFile, Model().AlbumFileName), true));
  if (chosen.isEmpty()) return;
  const bool renamed = chosen != DataFile;
  if (!renamed && !ask.AskOkCancel(Msg(QStringLiteral("Reload?")))) return;
  DataFile = chosen;
  Chapters.LoadMainDataFile(context_.Document.Data, DataFile, Title);
  // A file read anew brings its image folder as it brings its title: what
  // the dialog shows is then what the file holds.
  if (Chapters.FreshChapter[0]) AlbumDir = Chapters.WorkDirs.value(0);
  if (renamed) Chapters.WorkDataModified[0] = true;
  ChaptersChanged = true;
  AlbumChanged = true;
  Changed();
}

// Chapters page.

void SetupSession::SelectEntry(int entry) {
  if (entry >= -1 && entry < Chapters.Count()) Chapters.Selected = entry;
}

void SetupSession::SetBookmarkTitle(const QString& text) {
  if (FillingControls || !Chapters.SetBookmarkTitle(text)) return;
  ChaptersChanged = true;
  Changed();
}

void SetupSession::SetChapterTitle(const QString& text) {
  if (FillingControls || !Chapters.SetChapterTitle(text)) return;
  ChaptersChanged = true;
  Changed();
}

void SetupSession::SetChapterDir(const QString& dir) {
  if (FillingControls || !Chapters.SetChapterDir(dir)) return;
  ChaptersChanged = true;
  Changed();
}

void SetupSession::ChooseBookmarkColor() {
  const int slot = Chapters.SelectedSlot();
  if (slot < 1) return;
  const auto color = context_.Document.Data.Ask.GetColor(ToQColor(Chapters.SlotColor(slot)));
  if (!color || !Chapters.SetSelectedColor(FromQColor(*color))) return;
  ChaptersChanged = true;
  LookEdited();
}

void SetupSession::MoveUp() {
  if (!Chapters.MoveUp()) return;
  ChaptersChanged = true;
  Changed();
}

void SetupSession::MoveDown() {
  if (!Chapters.MoveDown()) return;
  ChaptersChanged = true;
  Changed();
}

void SetupSession::AddChapter() {
  if (Chapters.AddChapter(context_.Document.Data, Model().AlbumFileName) !=
      ChapterWork::AddResult::Added)
    return;
  ChaptersChanged = true;
  Changed();
}

void SetupSession::RemoveChapter() {
  if (!Chapters.RemoveChapter()) return;
  ChaptersChanged = true;
  Changed();
}

// OK and Apply.

bool SetupSession::CommitSetup() {
  if (Mode == SetupMode::Program) {
    if (!CommitProgramSettings()) return false;
  } else {
    CommitAlbum();
  }
  Fill();
  return true;
}

bool SetupSession::CommitProgramSettings() {
  ProgramSettings& settings = context_.Settings;
  AlbumLook look = SetupProfile;
  if (ChaptersChanged) Chapters.ArrangeBookmarkColors(look);
  try {
    SaveLook(settings.Profile, look);
    // The open album may use this look: its next save must not take our own
    // write for another program's.
    context_.Document.Data.Model.DiskStamps.Note(settings.Profile);
  } catch (const EFileError& error) {
    context_.Document.Data.Ask.ShowError(FileErrorText(error));
    return false;
  }
  AssignProfile(SetupProfile, look);
  Chapters.ResetOrder();
  const bool loadedAll = settings.LoadAllChapters;
  const QString profile = settings.Profile;  // no dialog edits it
  settings = WorkSettings;
  settings.Profile = profile;
  const AlbumModel& model = Model();
  AlbumWindow& window = context_.Document.Data.Window;
  if (model.FormatFileName == settings.Profile)
    ApplyProfile(context_.Document, SetupProfile, false);
  if (!loadedAll && settings.LoadAllChapters) {
    for (int k = 0; k <= model.ChapterCount(); ++k) window.LoadThumbnails(k);
  }
  SaveSettings(settings);
  return true;
}

void SetupSession::CommitAlbum() {
  AlbumModel& model = context_.Document.Data.Model;
  ViewState& view = context_.Document.Data.View;
  AlbumThumbnails& thumbs = context_.Document.Data.Thumbs;
  AlbumLook& look = context_.Document.Look;
  const auto colors = look.BM;
  model.FormatModified = LookChanged;
  model.AlbumModified = AlbumChanged;
  model.FormatFileName = ProfileName;
  ApplyProfile(context_.Document, SetupProfile, false);
  Chapters.Commit(model, view, thumbs, look, {Title, AlbumDir, DataFile}, ChaptersChanged);
  if (ChaptersChanged) AssignProfile(SetupProfile, look);
  // Colours that followed moved or removed chapters are a change of the look.
  if (look.BM != colors) model.FormatModified = true;
  // A larger grid has fewer spreads: stay on the last one that is left
  // (before the thumbnails are remade for the spread on screen).
  const int last = model.LastSpread(view.CurrentChapter, look.ImagesPerPage());
  if (view.CurrentPage > last) view.CurrentPage = last;
  if (GridChanged) {
    // Thumbnails of the other chapters were made for the old cells; they are
    // made again when their chapter is shown.
    for (int k = 0; k < MaxDataFiles; ++k) {
      if (k != view.CurrentChapter) thumbs.Drop(k);
    }
    context_.Host.RecreateThumbnails();
  }
  context_.Document.Data.Window.RebuildPages();
}
