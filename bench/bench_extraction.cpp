// The whole extraction run (scan, version information of every file, display order) over
// a folder, against the I/O floor of any extraction: a loop that lists the folder and
// opens each file, reads its first 4 KiB and closes it. Both run several times on a warm
// cache; the best run of each counts. The run's callbacks do what a front end's cheapest
// callbacks do (store the texts), so their cost is part of the figure.
//
//   bench/setup_wine_dlls.sh && build/bench/bench_extraction bench/data/wine
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "extraction/dir_scan.h"
#include "extraction/extraction_run.h"
#include "version/clsFileVersion.h"

namespace {

using Clock = std::chrono::steady_clock;

double peakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The floor: list the folder, then open, read the first 4 KiB and close every file.
double floorPass(const std::string& folder, std::size_t& files) {
  char buffer[4096];
  files = 0;
  const auto start = Clock::now();
  std::vector<std::string> paths;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec))
    if (e.is_regular_file()) paths.push_back(e.path().string());
  for (const std::string& p : paths) {
    const int fd = open(p.c_str(), O_RDONLY);
    if (fd < 0) continue;
    if (read(fd, buffer, sizeof buffer) > 0) ++files;
    close(fd);
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The listing alone, as the run does it, to show how the run's time divides.
double scanPass(const std::string& folder) {
  std::vector<quorvane::FileVersionEntry> entries;
  const auto start = Clock::now();
  quorvane::basDirUtil::ScanFolder(folder, {"*.*"}, entries, quorvane::basDirUtil::kListFiles);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct RunFigures {
  double seconds = 0;
  std::size_t files = 0;
  std::size_t withVersion = 0;
  bool completed = false;
};

RunFigures runPass(const quorvane::ExtractionRequest& request, quorvane::clsFileVersion& reader) {
  std::string lastStatus, lastCaption, lastCount;
  quorvane::ExtractionCallbacks cb;
  cb.status = [&](const std::string& s) { lastStatus = s; };
  cb.progress = [&](float, const std::string& caption, const std::string& count) {
    lastCaption = caption;
    lastCount = count;
    return true;
  };
  cb.cancelled = [] { return false; };
  quorvane::ExtractionResult result;
  RunFigures f;
  const auto start = Clock::now();
  const auto report = quorvane::ExtractVersionInfo(request, result, reader, cb);
  f.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  f.completed = report.Outcome == quorvane::RunOutcome::Completed;
  f.files = result.Entries.size();
  for (const auto& e : result.Entries)
    if (!e.FixedVersion.empty()) ++f.withVersion;
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "bench/data/wine";
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  quorvane::ExtractionRequest request;
  request.Folder = folder;
  request.KindText = "*.*";
  request.Patterns = {"*.*"};

  quorvane::clsFileVersion reader;
  std::size_t floorFiles = 0;
  floorPass(folder, floorFiles);  // warm the cache for both loops
  RunFigures last = runPass(request, reader);
  if (!last.completed || floorFiles == 0) {
    std::fprintf(stderr, "no files in %s (run bench/setup_wine_dlls.sh first)\n", folder.c_str());
    return 2;
  }

  double bestFloor = 1e9, bestRun = 1e9, bestScan = 1e9;
  for (int r = 0; r < rounds; ++r) {
    bestFloor = std::min(bestFloor, floorPass(folder, floorFiles));
    bestScan = std::min(bestScan, scanPass(folder));
    last = runPass(request, reader);
    bestRun = std::min(bestRun, last.seconds);
  }

  const double n = static_cast<double>(last.files);
  std::printf("files: %zu in %s, best of %d warm runs\n", last.files, folder.c_str(), rounds);
  std::printf("floor (list, open, read 4 KiB, close): %8.1f ms  %9.0f files/s\n", bestFloor * 1e3, n / bestFloor);
  std::printf("extraction run                       : %8.1f ms  %9.0f files/s  (%zu with version information)\n",
              bestRun * 1e3, n / bestRun, last.withVersion);
  std::printf("  of which the folder scan           : %8.1f ms\n", bestScan * 1e3);
  std::printf("run / floor: %.2f\n", bestRun / bestFloor);
  std::printf("peak resident memory: %.1f MiB\n", peakMiB());
  return 0;
}
