#pragma once
// Making a control with the object name language files address it by.

#include <QLatin1String>
#include <utility>

template <typename W, typename... Args>
W* Make(QWidget* parent, const char* name, Args&&... args) {
  auto* widget = new W(std::forward<Args>(args)..., parent);
  widget->setObjectName(QLatin1String(name));
  return widget;
}
