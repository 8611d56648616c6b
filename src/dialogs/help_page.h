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
