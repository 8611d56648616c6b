#include "help_page.h"

#include <QDesktopServices>

#include "core/program_files.h"

QUrl HelpTopicUrl(const QString& topic) {
  QUrl url = QUrl::fromLocalFile(ProgramFile(QStringLiteral("help/quirevale.html")));
  url.setFragment(topic);
  return url;
}

bool OpenWithDesktop(const QUrl& url) { return QDesktopServices::openUrl(url); }
