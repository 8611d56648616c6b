#pragma once
// A made-up album for timing and looking at the book: pictures drawn in
// memory, with titles, dates, places and people, and a few chapters.

class AlbumModel;
class QSize;

// Fills model with `images` pictures in chapter 0 and `chapters` more
// chapters of a few images each; thumbnails are made for box and marked
// loaded, so nothing is read from disk.
void MakeSampleAlbum(AlbumModel& model, int images, int chapters, const QSize& box);
