#pragma once
// The program's icon for its windows, from the PNG sizes rendered at build time.

#include <QIcon>

QIcon ProgramIcon();
