#include "help_page.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QHash>
#include <QKeyEvent>
#include <QWidget>

#include "core/program_files.h"

QUrl HelpTopicUrl(const QString& topic) {
  QUrl url = QUrl::fromLocalFile(ProgramFile(QStringLiteral("help/quirevale.html")));
  url.setFragment(topic);
  return url;
}

bool OpenWithDesktop(const QUrl& url) { return QDesktopServices::openUrl(url); }

QString HelpTopicForWindow(const QString& objectName) {
  static const QHash<QString, QString> topics{
      {QStringLiteral("fAlbumBrowser"), QStringLiteral("browse")},
      {QStringLiteral("fSetup"), QStringLiteral("setup")},
      {QStringLiteral("fPicDetails"), QStringLiteral("details")},
      {QStringLiteral("fGoto"), QStringLiteral("goto")},
      {QStringLiteral("fPicView"), QStringLiteral("view")},
      {QStringLiteral("fGuide"), QStringLiteral("guide")},
      {QStringLiteral("fSlideshow"), QStringLiteral("slideshow")},
  };
  return topics.value(objectName, QStringLiteral("contents"));
}

namespace {

const char* const kClosedByHelpKey = "closedByHelpKey";

class HelpKeyFilter : public QObject {
 public:
  HelpKeyFilter(QObject* owner, std::function<void(const QWidget*)> help)
      : QObject(owner), help_(std::move(help)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier &&
          watched->isWidgetType()) {
        QWidget* window = static_cast<QWidget*>(watched)->window();
        if (window->property(kClosedByHelpKey).toBool()) window->close();
        help_(window);
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void(const QWidget*)> help_;
};

}  // namespace

void InstallHelpKey(QObject* owner, std::function<void(const QWidget*)> help) {
  QCoreApplication::instance()->installEventFilter(new HelpKeyFilter(owner, std::move(help)));
}

void SetClosedByHelpKey(QWidget* window) { window->setProperty(kClosedByHelpKey, true); }
