// F1 reaches the handbook from every window, also from a modal dialog, which
// blocks the book window's own F1 shortcut while it shows.
#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>

#include "browser/album_browser.h"
#include "dialogs/pic_view.h"
#include "init/profile.h"
#include "support/scripted_prompts.h"

namespace {

// The book window, shown, with the sections of the handbook it opens.
class HelpKey : public ::testing::Test {
 protected:
  ScriptedPrompts ask;
  AlbumBrowser window{&ask};
  QStringList opened;

  void SetUp() override {
    window.SetHelpOpener([this](const QUrl& url) {
      opened << url.fragment();
      return true;
    });
    window.show();
  }
};

TEST_F(HelpKey, OpensTheSectionOfTheWindowItIsPressedIn) {
  for (const char* name : {"fGoto", "fSetup", "fPicView", "fSomethingElse"}) {
    QDialog dialog(&window);
    dialog.setObjectName(QLatin1String(name));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_F1);
  }
  EXPECT_EQ(opened, QStringList({"goto", "setup", "view", "TApplication_HelpJump"}));
}

// The image view covers the screen: F1 there closes it, so the handbook does
// not open unseen behind it.
TEST_F(HelpKey, ClosesTheImageViewAndOpensItsSection) {
  AlbumLook look;
  PicViewDialog view(look, &window);
  view.setWindowModality(Qt::ApplicationModal);
  view.show();
  QTest::keyClick(&view, Qt::Key_F1);
  EXPECT_FALSE(view.isVisible());
  EXPECT_EQ(opened, QStringList{"view"});
}

}  // namespace
