#pragma once
// A made-up album for timing and looking at the book: pictures drawn in
// memory, with titles, dates, places and people, and a few chapters.

struct OpenAlbum;
class QSize;

// Fills album with `images` pictures in chapter 0 and `chapters` more
// chapters of a few images each; thumbnails are made for box and marked
// loaded, so nothing is read from disk.
void MakeSampleAlbum(OpenAlbum& album, int images, int chapters, const QSize& box);
