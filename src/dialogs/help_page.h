#pragma once
// The program's help: an HTML page shipped beside the program (help/), opened
// in the desktop's browser at a topic anchor.

#include <QString>
#include <QUrl>
#include <functional>

// The help page's file URL with the topic as its fragment.
QUrl HelpTopicUrl(const QString& topic);

// Hands a URL to the desktop (QDesktopServices::openUrl); true when it took it.
using UrlOpener = std::function<bool(const QUrl&)>;
bool OpenWithDesktop(const QUrl& url);

// The handbook's section for a window, by the window's object name; the
// handbook's start for any other.
QString HelpTopicForWindow(const QString& objectName);

class QObject;
class QWidget;
// Makes F1 ask for help in every window of the program, modal dialogs
// included (a dialog blocks its owner's shortcuts while it shows): a key
// press of F1 that no shortcut took calls help with the window it was
// pressed in. The filter lives as long as owner.
void InstallHelpKey(QObject* owner, std::function<void(const QWidget* window)> help);
// F1 in window closes it before help is asked for: for a window that covers
// the screen, behind which the handbook would open unseen.
void SetClosedByHelpKey(QWidget* window);
