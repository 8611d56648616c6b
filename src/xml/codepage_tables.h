#pragma once
// Raw tables behind codepages.h; use the functions there instead.

namespace xml::detail {
extern const char32_t kWindows1250High[128];
extern const char32_t kWindows1252High[128];
extern const char32_t kLatin2High[128];
}  // namespace xml::detail
