#pragma once
// Where the chapter bookmarks lie along the book's outer edge.

#include <QStringList>
#include <array>

#include "core/album_model.h"

class QFontMetrics;

// Positions from the page area's top: [0] = 10 and [i] = [i-1] + the width of
// chapter i's name + 10, for i = 1 .. chapterCount; entries past
// chapterCount repeat the last. Bookmark i spans [i-1] to [i].
std::array<int, MaxDataFiles> ComputeBookmarkEdges(const QStringList& chapterNames,
                                                   int chapterCount, const QFontMetrics& metrics);
