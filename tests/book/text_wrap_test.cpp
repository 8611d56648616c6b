#include "book/text_wrap.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const WrappedLine& line, std::ostream* os) {
  *os << '"' << line.Text.toStdString() << '"' << (line.SplitWord ? "-" : "");
}

TEST(WrapText, BreakPointsAndTheHyphenRule) {
  struct Case {
    const char* text;
    int maxCol;
    std::vector<WrappedLine> lines;
  };
  const Case cases[] = {
      // After a blank: no split word.
      {"Old town square", 8, {{"Old town ", false}, {"square", false}}},
      // A word wider than the line is split after a vowel that leaves room for the hyphen.
      {"Photographs from Kraków",
       10,
       {{"Photogra", true}, {"phs from ", false}, {"Kraków", false}}},
      // Never inside quotes while they fit; the break waits for the quote to close.
      {"say \"Old town\" now", 12, {{"say ", false}, {"\"Old town\" ", false}, {"now", false}}},
      // Only a pair protects: a lone quote or an apostrophe in a word does not.
      {"Tom's big day", 6, {{"Tom's ", false}, {"big ", false}, {"day", false}}},
      {"7\" tape box", 4, {{"7\" ", false}, {"tape ", false}, {"box", false}}},
      // Existing line breaks, in any of their forms, end lines and split nothing.
      {"Anna\r\nPetra\nEva\rJan",
       40,
       {{"Anna", false}, {"Petra", false}, {"Eva", false}, {"Jan", false}}},
      // Blanks at the start of the next line go; letters never do.
      {"ab   cd", 2, {{"ab   ", false}, {"cd", false}}},
      {"", 10, {{"", false}}},
      // A separator stays with the word before it: no line starts with one.
      {"podél řeky, když se", 11, {{"podél řeky, ", false}, {"když se", false}}},
      {"Kolo, mlýn", 3, {{"Ko", true}, {"lo, ", false}, {"ml", true}, {"ýn", false}}},
      {"Gdańsk – Długie", 8, {{"Gdańsk – ", false}, {"Długie", false}}},
      {"Szeged, Tisza-part", 12, {{"Szeged, ", false}, {"Tisza-part", false}}},
      {"Tisza-part", 7, {{"Tisza-", false}, {"part", false}}},
      // A word that does not fit moves whole: no single letter left behind.
      {"Pod domem", 8, {{"Pod ", false}, {"domem", false}}},
      {"Večer, když", 10, {{"Večer, ", false}, {"když", false}}},
      // Nor does a one-letter word end a line.
      {"Anna a Sander", 11, {{"Anna ", false}, {"a Sander", false}}},
      {"Pláž v Sopotech", 10, {{"Pláž ", false}, {"v Sopotech", false}}},
      // A split word keeps two letters on either side of the break, even
      // where the line has room for less.
      {"Idea", 2, {{"Id", true}, {"ea", false}}},
      {"domem", 4, {{"do", true}, {"mem", false}}},
      {"Rozkvetlá", 5, {{"Ro", true}, {"zkve", true}, {"tlá", false}}},
      // Without a vowel to split after, a word wider than the line is split
      // where it fits; not between letters, no hyphen.
      {"BCDFGHJ", 4, {{"BCD", true}, {"FGHJ", false}}},
      {"東京東京東京", 4, {{"東京東京", false}, {"東京", false}}},
      {"ABC", 2, {{"ABC", false}}},
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
  // Measured in the text's own widths: wide letters take more room.
  const TextWidth width = [](QStringView s) {
    int w = 0;
    for (QChar c : s) w += c.isUpper() ? 2 : 1;
    return w;
  };
  EXPECT_EQ(TitleLines("WWW ab cd", 9, 3, width), QStringList({"WWW ab", "cd"}));
}
