// Times one full NextPart pass of our parser over generated album data files
// against expat (SAX, with a Windows-1250 table) and pugixml (given the bytes
// converted to UTF-8 by iconv inside the timed part), plus a bare memchr pass
// as the ceiling. The parsers take turns; each figure is the median of
// several rounds.
//
//   bench_xml [--images N,N,...] [--rounds R] [--data DIR]

#include <iconv.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "album_generator.h"
#include "bench_stats.h"
#include "expat_reference.h"
#include "xml/codepages.h"
#include "xml/xml_parser.h"

namespace {

// The parsers' own counts of elements, checked against each other.
using Count = ExpatCount;

Count OurPass(const std::string& bytes) {
  xml::XmlParser p;
  p.UseBuffer(bytes);
  Count c;
  while (p.NextPart()) {
    const xml::PartKind k = p.PartType();
    if (k == xml::pkStartTag || k == xml::pkEmptyTag) ++c.elements;
    if (k == xml::pkText) c.textBytes += p.PartContent().size();
  }
  return c;
}

long PugiElements(const pugi::xml_node& node) {
  long n = 0;
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element) n += 1 + PugiElements(child);
  }
  return n;
}

Count PugiPass(const std::string& bytes, bool count) {
  Count c;
  iconv_t cd = iconv_open("UTF-8", "WINDOWS-1250");
  std::vector<char> utf8(bytes.size() * 3 + 1);
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  char* out = utf8.data();
  size_t outLeft = utf8.size();
  iconv(cd, &in, &inLeft, &out, &outLeft);
  iconv_close(cd);
  pugi::xml_document doc;
  const pugi::xml_parse_result r =
      doc.load_buffer_inplace(utf8.data(), static_cast<size_t>(out - utf8.data()),
                              pugi::parse_default, pugi::encoding_utf8);
  if (!r) {
    std::fprintf(stderr, "pugixml: %s\n", r.description());
    c.elements = -1;
  } else if (count) {
    c.elements = PugiElements(doc);
  }
  c.textBytes = static_cast<size_t>(out - utf8.data());
  return c;
}

Count MemchrPass(const std::string& bytes) {
  Count c;
  const char* p = bytes.data();
  const char* e = p + bytes.size();
  while ((p = static_cast<const char*>(std::memchr(p, '<', static_cast<size_t>(e - p)))) !=
         nullptr) {
    ++c.elements;
    ++p;
  }
  return c;
}

// MB/s of `reps` passes.
double Throughput(const std::function<Count()>& pass, size_t bytes, int reps, size_t& sink) {
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < reps; ++i) sink += pass().textBytes;
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  return static_cast<double>(bytes) * reps / s / 1e6;
}

std::string SizeName(int images) {
  return images % 1000 == 0 ? std::to_string(images / 1000) + "k" : std::to_string(images);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes = {1000, 10000, 100000};
  int rounds = 7;
  std::string dataDir;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i];
    if (opt == "--images") {
      sizes.clear();
      for (const char* s = argv[i + 1]; *s != 0;) {
        char* end = nullptr;
        sizes.push_back(static_cast<int>(std::strtol(s, &end, 10)));
        s = *end == ',' ? end + 1 : end;
      }
    } else if (opt == "--rounds") {
      rounds = std::max(1, std::atoi(argv[i + 1]));
    } else if (opt == "--data") {
      dataDir = argv[i + 1];
    }
  }

  std::vector<std::string> goals;
  bool countsAgree = true;
  bool allPass = true;
  size_t sink = 0;
  for (int images : sizes) {
    const std::string bytes = bench::GenerateAlbumData(images);
    const std::string name = "album_" + SizeName(images) + ".xml";
    if (!dataDir.empty()) {
      std::filesystem::create_directories(dataDir);
      std::ofstream(std::filesystem::path(dataDir) / name, std::ios::binary) << bytes;
    }
    const long expected = bench::ExpectedElementCount(images);
    const long ours = OurPass(bytes).elements;
    const long expat = ExpatPass(bytes).elements;
    const long pugi = PugiPass(bytes, true).elements;
    const bool agree = ours == expected && expat == expected && pugi == expected;
    countsAgree = countsAgree && agree;
    std::printf("%s: %.2f MB, %d images, elements ours %ld, expat %ld, pugixml %ld%s\n",
                name.c_str(), static_cast<double>(bytes.size()) / 1e6, images, ours, expat, pugi,
                agree ? "" : "  MISMATCH");

    // Enough passes a round to run for a good fraction of a second.
    const int reps = std::max(1, static_cast<int>(30e6 / static_cast<double>(bytes.size())));
    std::vector<double> ourRate, expatRate, pugiRate, memchrRate, vsExpat, vsPugi;
    for (int r = 0; r < rounds; ++r) {
      const double o = Throughput([&] { return OurPass(bytes); }, bytes.size(), reps, sink);
      const double x = Throughput([&] { return ExpatPass(bytes); }, bytes.size(), reps, sink);
      const double g = Throughput([&] { return PugiPass(bytes, false); }, bytes.size(), reps, sink);
      const double m = Throughput([&] { return MemchrPass(bytes); }, bytes.size(), reps, sink);
      ourRate.push_back(o);
      expatRate.push_back(x);
      pugiRate.push_back(g);
      memchrRate.push_back(m);
      vsExpat.push_back(o / x);
      vsPugi.push_back(o / g);
    }
    const double rx = Median(vsExpat);
    const double rg = Median(vsPugi);
    std::printf("  ours (decoded to UTF-8)   %8.1f MB/s\n", Median(ourRate));
    std::printf("  expat (SAX, 1250 table)   %8.1f MB/s   ours/expat   %.2fx\n", Median(expatRate),
                rx);
    std::printf("  pugixml (after iconv)     %8.1f MB/s   ours/pugixml %.2fx\n", Median(pugiRate),
                rg);
    std::printf("  memchr '<' (ceiling)      %8.1f MB/s\n", Median(memchrRate));

    char line[160];
    const std::string size = SizeName(images);
    std::snprintf(line, sizeof line, "GOAL xml-vs-expat-%s %.2fx >=2.00x %s", size.c_str(), rx,
                  rx >= 2.0 ? "PASS" : "FAIL");
    goals.push_back(line);
    std::snprintf(line, sizeof line, "GOAL xml-vs-pugixml-iconv-%s %.2fx >=1.00x %s", size.c_str(),
                  rg, rg >= 1.0 ? "PASS" : "FAIL");
    goals.push_back(line);
    allPass = allPass && rx >= 2.0 && rg >= 1.0;
  }
  goals.push_back(std::string("GOAL xml-element-counts-agree ") + (countsAgree ? "yes" : "no") +
                  " yes " + (countsAgree ? "PASS" : "FAIL"));
  std::fprintf(stderr, "(%zu)\n", sink % 10);
  for (const std::string& g : goals) std::printf("%s\n", g.c_str());
  return allPass && countsAgree ? 0 : 1;
}
