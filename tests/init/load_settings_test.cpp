// Start-up's settings: stored values over the defaults, the language before
// the hints, and the first look.
#include "init/load_settings.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>

#include "init/profile_file.h"
#include "support/album_env.h"
#include "support/settings_folder.h"

namespace {

class LoadSettingsTest : public AlbumFilesTest {
 protected:
  void SetUp() override {
    AlbumFilesTest::SetUp();
    SetDefaultProfile(look_);
    QCoreApplication::installTranslator(&messages_);
  }

  static QSettings Store() { return QSettings("Quirevale", "Quirevale"); }
  void Load(const std::function<void()>& hints = {}) {
    LoadSettings(DocumentContext{env_.Data(), look_, settings_}, messages_,
                 [&](const QStringList&) {
                   if (hints) hints();
                 });
  }

  const SettingsFolder folder_{Path("config")};  // never the person's own settings
  DataEnv env_;
  AlbumLook look_;
  ProgramSettings settings_;
  LanguageMessages messages_;
};

}  // namespace

TEST_F(LoadSettingsTest, StoredValuesOverTheDefaultsAndBackAsStored) {
  struct Case {
    const char* what;
    QList<std::pair<QString, QVariant>> stored;
    std::function<void(ProgramSettings&)> expect;  // changes from the defaults
  };
  const Case cases[] = {
      {"nothing stored", {}, [](ProgramSettings&) {}},
      {"a flag as 5",
       {{"FreeMemory", 0}, {"LoadAllChapters", 5}},
       [](auto& s) { s.FreeMemory = false, s.LoadAllChapters = true; }},
      {"every value",
       {{"Language", ""}, {"Profile", "/a.AFM"}, {"MenuSpeed", 3}, {"ConfirmDeletes", 0}},
       [](auto& s) {
         s.Language = "", s.Profile = "/a.AFM", s.MenuSpeed = 3, s.ConfirmDeletes = false;
       }},
      {"the shipped look: the person's own, which is the one written",
       {{"Profile", ShippedDefaultLook()}},
       [](ProgramSettings&) {}},
      {"not a number keeps the default",
       {{"MenuSpeed", "fast"}, {"RunGuide", "yes"}},
       [](ProgramSettings&) {}},
      {"RunGuide off", {{"RunGuide", 0}}, [](auto& s) { s.RunGuide = false; }},
      {"the slideshow's, the interval clamped",
       {{"SlideshowInterval", 99}, {"SlideshowOpensVideos", 1}},
       [](auto& s) { s.SlideshowInterval = 60, s.SlideshowOpensVideos = true; }},
  };
  for (const Case& c : cases) {
    Store().clear();
    {
      QSettings store = Store();
      for (const auto& [key, value] : c.stored) store.setValue(key, value);
    }
    Load();
    ProgramSettings expected = DefaultProgramSettings();
    c.expect(expected);
    EXPECT_EQ(settings_, expected) << c.what;
  }

  // Written back as the store's own types: flags 0/1.
  Store().clear();
  Store().setValue("FreeMemory", 5);
  Load();
  SaveSettings(settings_);
  EXPECT_EQ(Store().value("FreeMemory").toString(), "1");
  EXPECT_EQ(Store().value("LoadAllChapters").toString(), "0");
  EXPECT_EQ(Store().allKeys().size(),
            11);  // with ShareThumbnails, ReadPhotoDetails, the slideshow's
}

TEST_F(LoadSettingsTest, TheLanguageIsReadBeforeTheHintsAreSet) {
  WriteAll(Path("czech.lng"), "DataModified=Album byl změněn.\r\n");
  Store().clear();
  Store().setValue("Language", Path("czech.lng"));
  QString seenByHints;
  Load([&] { seenByHints = Msg("DataModified"); });
  EXPECT_EQ(seenByHints, QString::fromUtf8("Album byl změněn."));
}

TEST_F(LoadSettingsTest, TheDefaultLookOpensAndPlacesTheWindow) {
  AlbumLook stored;
  SetDefaultProfile(stored);
  stored.RowCount = 4;
  ASSERT_TRUE(SaveProfile(Path("mine.AFM"), stored));
  struct Case {
    const char* what;
    QString profile;
    int rows;
  };
  const Case cases[] = {
      {"a stored look", Path("mine.AFM"), 4},
      {"a stored name whose file is gone: the built-in look", Path("gone.AFM"), 3},
  };
  for (const Case& c : cases) {
    Store().clear();
    Store().setValue("Profile", c.profile);
    env_.Window.Log.clear();
    look_.RowCount = 7;
    Load();
    EXPECT_EQ(look_.RowCount, c.rows) << c.what;
    EXPECT_EQ(env_.Model.FormatFileName, c.profile) << c.what << ": saving creates it";
    EXPECT_TRUE(env_.Window.Calls().contains("PositionWindow")) << c.what;
    EXPECT_FALSE(env_.Model.FormatModified) << c.what;
  }
}
