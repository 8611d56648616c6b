#pragma once
// The program's own mouse cursors (ZOOM, LEFT, RIGHT, NEXT, PREVIOUS), shipped
// as resources ":/cursors/NAME.png" that carry their hot spot.

#include <QCursor>
#include <QString>

// The numbers the mouse handling knows the cursors by.
enum ProgramCursorId { crZoom = 5, crLeft = 6, crRight = 7, crPrevious = 9, crNext = 18 };

// The resource name of a cursor number ("ZOOM" for crZoom); "" for another.
QString ProgramCursorName(int number);

// The cursor called name, or the arrow when the program has none.
QCursor ProgramCursor(const QString& name);

// The picture and hot spot of a cursor; a null picture when there is none.
QImage ProgramCursorImage(const QString& name, QPoint* hotSpot);
