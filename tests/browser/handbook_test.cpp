// The handbook must hold together: every link and picture resolves, and every
// command and key of the book window is described.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocumentFragment>

#include "browser/action_table.h"
#include "core/message_table.h"
#include "support/test_files.h"

namespace {

const QString kHandbook = QStringLiteral(QV_SOURCE_DIR "/resources/help/quirevale.html");

QStringList Captures(const QString& html, const char* pattern) {
  QStringList found;
  auto it = QRegularExpression(QLatin1String(pattern)).globalMatch(html);
  while (it.hasNext()) found << it.next().captured(1);
  return found;
}

}  // namespace

TEST(Handbook, EveryLinkResolvesAndEveryCommandAndKeyIsDescribed) {
  const QString html = QString::fromUtf8(ReadAll(kHandbook));
  const QStringList ids = Captures(html, R"re(\bid="([^"]+)")re");
  EXPECT_EQ(QSet<QString>(ids.cbegin(), ids.cend()).size(), ids.size()) << "an id is used twice";
  for (const QString& target : Captures(html, R"re(href="#([^"]*)")re"))
    EXPECT_TRUE(ids.contains(target)) << "no anchor " << target.toStdString();
  for (const QString& picture : Captures(html, R"re(<img[^>]*\bsrc="([^"]+)")re"))
    EXPECT_TRUE(QFileInfo::exists(QFileInfo(kHandbook).absolutePath() + u'/' + picture))
        << picture.toStdString();
  // F1 and the about window's Help button jump to these.
  for (const char* topic : {"contents", "browse", "view", "details", "goto", "setup", "look",
                            "chapters", "guide", "edit", "slideshow"})
    EXPECT_TRUE(ids.contains(QLatin1String(topic))) << topic;

  // Every command and every key of the book is described.
  const QString text = QTextDocumentFragment::fromHtml(html).toPlainText();
  for (const ActionSpec& action : ActionTable())
    EXPECT_TRUE(text.contains(QLatin1String(action.Caption))) << action.Name;
  const QStringList keys = Captures(html, R"re(<kbd>([^<]+)</kbd>)re");
  for (const char* key :
       {"Page Up", "Page Down", "Home", "End", "Left", "Right", "Up", "Down", "Enter", "Esc",
        "F10",     "Shift",     "Ctrl", "0",   "1",    "9",     "A",  "Z",    "Space", "F11"})
    EXPECT_TRUE(keys.contains(QLatin1String(key))) << key;
  // What the cells say, the setup dialog's page captions in both modes, and
  // where the settings and the thumbnails live.
  for (const QString& said : {Msg("NoPreview"), Msg("UnknownImageFormat"), Msg("DefaultAlbumLook"),
                              Msg("DefaultBMColors"), Msg("AlbumLook"), Msg("Chapters"),
                              QString("General"), QString("Share thumbnails with other programs"),
                              QString("Quirevale.conf"), QString("~/.cache/thumbnails")})
    EXPECT_TRUE(text.contains(said)) << said.toStdString();
}
