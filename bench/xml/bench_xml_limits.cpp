// Times the toolkit on documents built to be large in one direction:
// - an internal subset of 100,000 entity declarations, and one of 100,000
//   element declarations, names in scrambled order, analysed by the parser
//   (goal: each under 0.5 s);
// - a document nested 1,000,000 elements deep: every element made from the
//   index, each from its parent's ChildAt(0), down to the innermost one, with
//   its level (goal: the walk under 1 s; the Open before it is printed).
// Times are the CPU time of this thread, medians of the rounds.
//
//   bench_xml_limits [--rounds R] [--data DIR]

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "xml/xml_data.h"
#include "xml/xml_parser.h"

namespace {

constexpr int kDeclarations = 100000;
constexpr int kDepth = 1000000;

double CpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Names in an order far from sorted: a multiplicative scramble of 0..n-1.
std::string Subset(const char* before, const char* after) {
  std::string s = "<?xml version=\"1.0\"?>\n<!DOCTYPE r [\n";
  for (int i = 0; i < kDeclarations; ++i) {
    const long k = (static_cast<long>(i) * 7919) % kDeclarations;
    s += before + std::to_string(k) + after;
  }
  return s + "]>\n<r/>\n";
}

// Median CPU time of analysing the text; false in ok when the count is wrong.
double TimeSubset(const std::string& text, int rounds,
                  const std::function<size_t(const xml::XmlParser&)>& count, bool& ok) {
  std::vector<double> times;
  for (int r = 0; r < rounds; ++r) {
    xml::XmlParser p;
    const double t0 = CpuMs();
    p.UseBuffer(text);
    while (p.NextPart()) {
    }
    times.push_back(CpuMs() - t0);
    ok = ok && count(p) == static_cast<size_t>(kDeclarations);
  }
  return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 3;
  std::string dataDir = (std::filesystem::temp_directory_path() / "qv-bench").string();
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i];
    if (opt == "--rounds") rounds = std::max(1, std::atoi(argv[i + 1]));
    if (opt == "--data") dataDir = argv[i + 1];
  }

  bool entitiesOk = true;
  const double entityMs = TimeSubset(
      Subset("<!ENTITY e", " \"value\">\n"), rounds,
      [](const xml::XmlParser& p) { return p.GeneralEntities().Count(); }, entitiesOk);
  bool elementsOk = true;
  const double elementMs = TimeSubset(
      Subset("<!ELEMENT e", " (a, b?)>\n"), rounds,
      [](const xml::XmlParser& p) { return p.ElementDefs().Count(); }, elementsOk);
  std::printf("  100,000 entity declarations         %8.1f ms\n", entityMs);
  std::printf("  100,000 element declarations        %8.1f ms\n", elementMs);

  std::filesystem::create_directories(dataDir);
  const std::string path = (std::filesystem::path(dataDir) / "deep.xml").string();
  {
    std::string s = "<?xml version=\"1.0\"?>\n";
    s.reserve(s.size() + static_cast<size_t>(kDepth) * 7);
    for (int i = 0; i < kDepth; ++i) s += "<a>";
    for (int i = 0; i < kDepth; ++i) s += "</a>";
    std::ofstream(path, std::ios::binary) << s << "\n";
  }
  std::vector<double> openMs, walkMs;
  bool walkOk = true;
  for (int r = 0; r < rounds; ++r) {
    xml::XmlData doc;
    doc.SetFileName(path);
    const double t0 = CpuMs();
    walkOk = doc.Open() && walkOk;
    const double t1 = CpuMs();
    int deepest = 0;
    for (std::unique_ptr<xml::XmlElement> e = doc.Root(); e; e = e->ChildAt(0))
      deepest = e->Level();
    walkMs.push_back(CpuMs() - t1);
    openMs.push_back(t1 - t0);
    walkOk = walkOk && deepest == kDepth;
  }
  std::printf("  Open of 1,000,000 levels            %8.1f ms\n", Median(openMs));
  std::printf("  walk of 1,000,000 levels            %8.1f ms\n", Median(walkMs));

  const bool entitiesPass = entitiesOk && entityMs < 500;
  const bool elementsPass = elementsOk && elementMs < 500;
  const bool walkPass = walkOk && Median(walkMs) < 1000;
  std::printf("GOAL xml-entity-declarations-100k %.0fms <500ms %s\n", entityMs,
              entitiesPass ? "PASS" : "FAIL");
  std::printf("GOAL xml-element-declarations-100k %.0fms <500ms %s\n", elementMs,
              elementsPass ? "PASS" : "FAIL");
  std::printf("GOAL xml-walk-1m-levels %.0fms <1000ms %s\n", Median(walkMs),
              walkPass ? "PASS" : "FAIL");
  return entitiesPass && elementsPass && walkPass ? 0 : 1;
}
