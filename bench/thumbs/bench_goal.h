#pragma once
// The goals the thumbnail benchmark measures, printed as GOAL lines.

#include <QString>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_stats.h"

struct BenchGoal {
  QString Name;
  double Measured;  // 0 when it could not be measured
  double Target;
  bool AtMost;       // the target is a ceiling (memory), else a floor (speed ratios)
  const char* Unit;  // "x" for ratios, " MB"
};

// Prints the GOAL lines; true when every goal is met.
inline bool PrintGoals(const std::vector<BenchGoal>& goals) {
  bool all = true;
  for (const BenchGoal& goal : goals) {
    const bool met = goal.Measured > 0 &&
                     (goal.AtMost ? goal.Measured <= goal.Target : goal.Measured >= goal.Target);
    all = all && met;
    const QString measured = goal.Measured > 0
                                 ? QString::number(goal.Measured, 'f', 2) + QLatin1String(goal.Unit)
                                 : QStringLiteral("n/a");
    std::printf("GOAL %s %s %s%.2f%s %s\n", qPrintable(goal.Name), qPrintable(measured),
                goal.AtMost ? "<=" : ">=", goal.Target, goal.Unit, met ? "PASS" : "FAIL");
  }
  return all;
}
