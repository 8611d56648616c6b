#include "book/text_wrap.h"

#include <gtest/gtest.h>

namespace {

std::vector<TWrappedLine> Lines(std::initializer_list<TWrappedLine> lines) { return lines; }

}  // namespace

TEST(WrapText, BreakPointsAndTheHyphenRule) {
  struct Case {
    const char* text;
    int maxCol;
    std::vector<TWrappedLine> lines;
  };
  const Case cases[] = {
      // After a blank: no split word.
      {"Old town square", 8, Lines({{"Old town ", false}, {"square", false}})},
      // After a vowel inside a word: split.
      {"Photographs from Kraków", 10,
       Lines({{"Photogra", true}, {"phs from ", false}, {"Kraków", false}})},
      // Never inside quotes; the break waits for the quote to close.
      {"\"Old town\" square", 4, Lines({{"\"Old town\" ", false}, {"squa", true}, {"re", false}})},
      // Only a pair protects: a lone quote or an apostrophe in a word does not.
      {"Tom's big day", 6, Lines({{"Tom's ", false}, {"big day", false}})},
      {"7\" tape box", 3, Lines({{"7\" ", false}, {"tape", false}, {"box", false}})},
      // Existing line breaks, in any of their forms, end lines and split nothing.
      {"Anna\r\nPetra\nEva\rJan", 40,
       Lines({{"Anna", false}, {"Petra", false}, {"Eva", false}, {"Jan", false}})},
      // No break point: not broken. A vowel that starts the line is none.
      {"BCDFGHJ", 3, Lines({{"BCDFGHJ", false}})},
      {"ABCDFG", 3, Lines({{"ABCDFG", false}})},
      // Blanks at the start of the next line go; letters never do.
      {"ab   cd", 2, Lines({{"ab ", false}, {"cd", false}})},
      {"Idea", 2, Lines({{"Ide", true}, {"a", false}})},
      // A break before a separator is no split.
      {"Kolo, mlýn", 3, Lines({{"Kolo", false}, {", ", false}, {"mlýn", false}})},
      {"", 10, Lines({{"", false}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(WrapText(QString::fromUtf8(c.text), c.maxCol), c.lines);
  }
}

TEST(TitleLines, TrimsHyphenatesAndDropsLinesPastTextRowCount) {
  EXPECT_EQ(TitleLines("Photographs from Kraków", 10, 2), QStringList({"Photogra-", "phs from"}));
  EXPECT_EQ(TitleLines("Photographs from Kraków", 10, 3),
            QStringList({"Photogra-", "phs from", "Kraków"}));
  // The title's last line is left as it is.
  EXPECT_EQ(TitleLines(" Old town square ", 9, 5), QStringList({"Old town", "square "}));
  EXPECT_EQ(TitleLines("Anna\r\nEva", 40, 2), QStringList({"Anna", "Eva"}));
  EXPECT_TRUE(TitleLines("Anything", 10, 0).isEmpty());
  EXPECT_TRUE(TitleLines("", 10, 2).isEmpty());
}
