// Times the document component the way the album reader uses it, against one
// expat pass over the same file: Open of a generated 100,000-image data file,
// then the full read (every child of the root by position with its `src`,
// then its `title`, `date`, `place` and `people` by name with their text).
// Both sides start from the file on disk. Also measures the memory the open
// document and the read take, against the file's size.
//
// Times are the CPU time of this thread (the machine may be busy with other
// work; wall time would blur the ratio), the two sides taking turns round by
// round, medians of the rounds.
//
//   bench_xml_document [--images N] [--rounds R] [--data DIR]

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "album_generator.h"
#include "bench_stats.h"
#include "expat_reference.h"
#include "xml/codepages.h"
#include "xml/xml_data.h"

namespace {

double CpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
long StatusKb(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const size_t n = std::strlen(field);
  while (std::getline(in, line)) {
    if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':') {
      return std::atol(line.c_str() + n + 1);
    }
  }
  return -1;
}

// Lets VmHWM start again from the present size.
bool ResetPeak() {
  std::ofstream out("/proc/self/clear_refs");
  out << "5";
  out.flush();
  return static_cast<bool>(out);
}

// Reads the file and runs expat over it once.
ExpatCount ExpatFilePass(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(static_cast<size_t>(std::filesystem::file_size(path)), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return ExpatPass(bytes);
}

struct ReadResult {
  long images = 0;
  size_t textBytes = 0;
  double openMs = 0;
  double readMs = 0;
  long peakKb = 0;  // growth of the peak resident size while open and reading
};

// What the album reader does with a data file.
ReadResult ReadAlbum(xml::XmlData& doc, const std::string& path, bool measureMemory) {
  ReadResult r;
  long before = 0;
  if (measureMemory) {
    ResetPeak();
    before = StatusKb("VmRSS");
  }
  const double t0 = CpuMs();
  doc.SetFileName(path);
  if (!doc.Open()) return r;
  const double t1 = CpuMs();
  std::unique_ptr<xml::XmlElement> root = doc.Root();
  const bool album2 = root->Name() == "album2";
  for (int i = 0; i < root->ChildCount(); ++i) {
    std::unique_ptr<xml::XmlElement> child = root->ChildAt(i);
    if (child->Name() != "photo" && child->Name() != "video") continue;
    ++r.images;
    if (const xml::XmlAttribute* src = child->AttributeByName("src")) {
      r.textBytes += src->Value().size();
    }
    if (!album2) continue;
    for (const char* name : {"title", "date", "place", "people"}) {
      if (std::unique_ptr<xml::XmlElement> e = child->ChildByName(name)) {
        r.textBytes += e->Content().size();
      }
    }
  }
  const double t2 = CpuMs();
  if (measureMemory) r.peakKb = StatusKb("VmHWM") - before;
  doc.Close();
  r.openMs = t1 - t0;
  r.readMs = t2 - t1;
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  int images = 100000;
  int rounds = 7;
  std::string dataDir = (std::filesystem::temp_directory_path() / "qv-bench").string();
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i];
    if (opt == "--images") images = std::max(1, std::atoi(argv[i + 1]));
    if (opt == "--rounds") rounds = std::max(1, std::atoi(argv[i + 1]));
    if (opt == "--data") dataDir = argv[i + 1];
  }
  std::filesystem::create_directories(dataDir);
  const std::string path = (std::filesystem::path(dataDir) / "document_album.xml").string();
  const std::string bytes = bench::GenerateAlbumData(images);
  std::ofstream(path, std::ios::binary) << bytes;
  const double fileKb = static_cast<double>(bytes.size()) / 1024.0;

  xml::XmlData doc;
  // Memory first, before the rounds leave freed blocks in the allocator.
  const ReadResult first = ReadAlbum(doc, path, true);
  const ExpatCount expat = ExpatFilePass(path);
  std::printf("%s: %.2f MB, %d images; read %ld images, expat %ld elements\n", path.c_str(),
              static_cast<double>(bytes.size()) / 1e6, images, first.images, expat.elements);
  const bool complete = first.images == images && expat.elements > 0;

  std::vector<double> expatMs, openMs, readMs, ratio;
  for (int r = 0; r < rounds; ++r) {
    const double t0 = CpuMs();
    const ExpatCount e = ExpatFilePass(path);
    const double x = CpuMs() - t0;
    const ReadResult ours = ReadAlbum(doc, path, false);
    if (e.elements <= 0 || ours.images != images) {
      std::fprintf(stderr, "a pass failed\n");
      return 1;
    }
    expatMs.push_back(x);
    openMs.push_back(ours.openMs);
    readMs.push_back(ours.readMs);
    ratio.push_back((ours.openMs + ours.readMs) / x);
  }
  const double memory = static_cast<double>(first.peakKb) / fileKb;
  const double r = Median(ratio);
  std::printf("  expat pass (file read, 1250 table)   %8.1f ms\n", Median(expatMs));
  std::printf("  Open                                 %8.1f ms\n", Median(openMs));
  std::printf("  full read of the album reader        %8.1f ms\n", Median(readMs));
  std::printf("  Open + read / expat                  %8.2fx\n", r);
  std::printf("  peak memory while open and reading   %8.1f MB (%.2fx the file)\n",
              static_cast<double>(first.peakKb) / 1024.0, memory);

  const std::string size =
      images % 1000 == 0 ? std::to_string(images / 1000) + "k" : std::to_string(images);
  const bool fast = complete && r <= 2.0;
  const bool small = complete && first.peakKb > 0 && memory <= 3.0;
  std::printf("GOAL xml-document-open-read-vs-expat-%s %.2fx <=2.00x %s\n", size.c_str(), r,
              fast ? "PASS" : "FAIL");
  std::printf("GOAL xml-document-memory-%s %.2fx <=3.00x %s\n", size.c_str(), memory,
              small ? "PASS" : "FAIL");
  return fast && small ? 0 : 1;
}
