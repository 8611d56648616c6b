#include "album_generator.h"

#include <cstdint>
#include <string>

namespace bench {
namespace {

constexpr int kChapters = 3;

// Words with the Czech letters the code page exists for, as Windows-1250 bytes.
const char* const kWords[] = {"Praha",
                              "\x8Aumava",
                              "\xC8\x65sk\xFD",
                              "Krumlov",
                              "dovolen\xE1",
                              "na",
                              "hor\xE1\x63h",
                              "P\xF8\xEDli\x9A",
                              "\x9Elu\x9Dou\xE8k\xFD",
                              "k\xF9\xF2",
                              "z\xE1mek",
                              "\xFAsvit",
                              "mo\xF8\x65",
                              "Brno",
                              "Ostrava",
                              "rybn\xEDk",
                              "le\x9A",
                              "sn\xEDh",
                              "&amp;",
                              "Tom",
                              "Jerry",
                              "Ji\xF8\xED",
                              "Old\xF8ich",
                              "Ane\x9Aka"};
constexpr int kWordCount = sizeof(kWords) / sizeof(kWords[0]);

// A small deterministic generator, so every run times the same bytes.
class Random {
 public:
  uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint32_t state_ = 12345;
};

std::string Words(Random& r, int min, int max) {
  std::string s;
  const int n = min + r.Below(max - min + 1);
  for (int i = 0; i < n; ++i) {
    if (i > 0) s += ' ';
    s += kWords[r.Below(kWordCount)];
  }
  return s;
}

std::string TwoDigits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

}  // namespace

std::string GenerateAlbumData(int images) {
  Random r;
  std::string s;
  s.reserve(static_cast<size_t>(images) * 190 + 512);
  s += "<?xml version=\"1.0\" encoding=\"Windows-1250\"?>\r\n";
  s += "<!DOCTYPE album2 SYSTEM \"album2.dtd\"> \r\n\r\n";
  s += "<album2 dir=\"obr\xE1zky\">\r\n";
  s += "\t<title>" + Words(r, 2, 4) + "</title>\r\n";
  for (int c = 1; c <= kChapters; ++c) {
    s += "\t<link xlink:href=\"kapitola" + std::to_string(c) + ".xml\">" + Words(r, 1, 3) +
         "</link>\r\n";
  }
  for (int i = 0; i < images; ++i) {
    s += "\t<photo src=\"" + std::string(i % 50 == 0 ? "video\\klip" : "foto\\IMG_") +
         std::to_string(10000 + i) + (i % 50 == 0 ? ".avi" : ".jpg") + "\">\r\n";
    s += "\t\t<title>" + Words(r, 1, 5) + "</title>\r\n";
    s += "\t\t<date>" + std::to_string(1995 + r.Below(30)) + "-" + TwoDigits(1 + r.Below(12)) +
         "-" + TwoDigits(1 + r.Below(28)) + "</date>\r\n";
    s += "\t\t<place>" + (r.Below(4) == 0 ? std::string() : Words(r, 1, 2)) + "</place>\r\n";
    s += "\t\t<people>" + (r.Below(3) == 0 ? std::string() : Words(r, 1, 4)) + "</people>\r\n";
    s += "\t</photo>\r\n";
  }
  s += "</album2>\r\n";
  return s;
}

long ExpectedElementCount(int images) { return 2 + kChapters + 5L * images; }

}  // namespace bench
