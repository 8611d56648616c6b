#pragma once
// The slideshow's frames, each the size of the screen: made whole before they
// show, so that a step only draws finished frames.

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

struct AlbumLook;
struct ImageRecord;
struct LookFont;

// The picture of file fitted to screen (small ones enlarged), upright and
// centred on black; a video's placeholder instead for a video file. Null when
// the picture cannot be read. Runs on the slideshow's worker: draws no text.
QImage SlidePictureFrame(const QString& file, QSize screen);

// The image's caption on a dark band along frame's bottom, at most a fifth of
// it high: the title, then date, place and people as the look shows them, in
// the look's description font. Nothing when the image has neither.
void PaintCaption(QImage& frame, const ImageRecord& image, const AlbumLook& look);

// A chapter's title card: its bookmark colour, its title in the chapter font.
QImage TitleCard(QSize screen, const QString& title, QColor color, const LookFont& font);
