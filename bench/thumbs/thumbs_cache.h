#pragma once
// Loading a chapter a second time, from the desktop's thumbnail cache that
// the first load filled, against the first load and against Qt's reader.

#include <QStringList>
#include <functional>
#include <vector>

#include "bench_goal.h"

// qtReader makes the thumbnails of the files with QImageReader on one
// thread (false: failed).
std::vector<BenchGoal> MeasureCachedLoading(
    const QStringList& photos, int rounds, const std::function<bool(const QStringList&)>& qtReader);
