#pragma once
// Simple painted scenes for the demo album: skies, mountains, lakes, meadows,
// forests, towns and beaches drawn with gradients, so the album has pictures
// of its own and no third-party photographs.

#include <QImage>
#include <QSize>
#include <cstdint>

enum class SceneKind { Mountains, Lake, Meadow, Forest, Town, Beach };
enum class DayTime { Dawn, Day, Sunset, Night, Overcast };

struct SceneRecipe {
  SceneKind Kind = SceneKind::Meadow;
  DayTime Time = DayTime::Day;
  std::uint32_t Seed = 1;  // varies shapes and placement
  double SunHeight = 0.5;  // 0 = at the horizon, 1 = high in the sky
};

QImage DrawScene(const SceneRecipe& recipe, QSize size);
