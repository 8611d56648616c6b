// Pictures made ahead: the right picture for each key, and never more kept
// than the keys last wanted.
#include "image/picture_prefetch.h"

#include <gtest/gtest.h>

#include <atomic>

TEST(PicturePrefetch, AWalkKeepsOnlyTheWantedNeighbours) {
  std::atomic<int> made{0};
  PicturePrefetch prefetch(
      [&made](int key) {
        ++made;
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(qRgb(key, 0, 0));
        return picture;
      },
      [](int) {});
  for (int i = 0; i < 10; ++i) {
    prefetch.Want({i, i + 1, i - 1});
    EXPECT_EQ(qRed(prefetch.Take(i).pixel(0, 0)), i);
    const std::vector<int> held = prefetch.Held();
    EXPECT_LE(held.size(), 3u);
    for (int key : held) EXPECT_TRUE(key >= i - 1 && key <= i + 1) << key;
  }
  EXPECT_LE(made.load(), 10 + 2 + 1);  // each key once, but those the worker made needlessly
}
