#pragma once
// Where the dialogs of a shaped window open. The book window is cut to its
// outline (a mask): closed, only the cover shows, the right half of its
// rectangle. Qt centres a dialog on the whole rectangle, which would put it
// half over nothing; here it is centred on the part a person sees.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The part of window a person sees, in global coordinates: the bounds of
// its outline, or all of it when it has none.
QRect VisiblePart(const QWidget& window);

// The top-left of a dialog of that size centred on visible, moved inside
// available (the screen less panels) as far as it fits there.
QPoint CentredPlace(QRect visible, QSize dialog, QRect available);

// From now on every dialog owned by window (message boxes and file dialogs
// too) opens centred on VisiblePart(window), unless the dialog places
// itself. Lasts as long as window.
void CentreDialogsOnVisiblePart(QWidget* window);
