#include "program_icon.h"

QIcon ProgramIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/icon/48.png"));
  icon.addFile(QStringLiteral(":/icon/256.png"));
  return icon;
}
