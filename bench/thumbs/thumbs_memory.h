#pragma once
// What a 500-image chapter's thumbnails take: in the demo album's look, and
// at 2400 x 1500 with one picture a page while paging through it.

#include <QString>
#include <vector>

#include "bench_goal.h"

// Photos are made once under dataDir; largePhotos are the 4000 x 3000 ones.
std::vector<BenchGoal> MeasureThumbnailMemory(const QString& dataDir,
                                              const QStringList& largePhotos);
