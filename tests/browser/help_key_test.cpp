// F1 reaches the handbook from every window, also from a modal dialog, which
// blocks the book window's own F1 shortcut while it shows.
#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>

#include "browser/album_browser.h"
#include "support/scripted_prompts.h"

TEST(HelpKey, OpensTheSectionOfTheWindowItIsPressedIn) {
  ScriptedPrompts ask;
  TfAlbumBrowser window(&ask);
  QStringList opened;
  window.SetHelpOpener([&](const QUrl& url) {
    opened << url.fragment();
    return true;
  });
  window.show();
  for (const char* name : {"fGoto", "fSetup", "fPicView", "fSomethingElse"}) {
    QDialog dialog(&window);
    dialog.setObjectName(QLatin1String(name));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_F1);
  }
  EXPECT_EQ(opened, QStringList({"goto", "setup", "view", "TApplication_HelpJump"}));
}
