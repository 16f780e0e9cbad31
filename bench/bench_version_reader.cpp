// Reads the version information of every file of a folder and compares the time with the
// I/O floor of any version reader: a loop that opens each file, reads its first 4 KiB and
// closes it. Both run several times on a warm cache; the best run of each counts.
// Memory is the resident set, sampled while the reader walks the files, so that growth
// with the number of files would show.
//
//   bench/setup_wine_dlls.sh && build/bench/bench_version_reader bench/data/wine
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "version/clsFileVersion.h"

namespace {

using Clock = std::chrono::steady_clock;

double residentMiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double peakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The floor: open, read the first 4 KiB, close.
double floorPass(const std::vector<std::string>& files, std::size_t& bytesRead) {
  char buffer[4096];
  bytesRead = 0;
  const auto start = Clock::now();
  for (const std::string& f : files) {
    const int fd = open(f.c_str(), O_RDONLY);
    if (fd < 0) continue;
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) bytesRead += static_cast<std::size_t>(n);
    close(fd);
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct ReaderRun {
  double seconds = 0;
  std::size_t withVersion = 0;
  std::vector<double> residentSamples;  // after each quarter of the files
};

ReaderRun readerPass(quorvane::clsFileVersion& reader, const std::vector<std::string>& files) {
  ReaderRun run;
  const std::size_t quarter = std::max<std::size_t>(1, files.size() / 4);
  double sampling = 0;
  const auto start = Clock::now();
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (reader.GetFileVersion(files[i])) {
      ++run.withVersion;
      // The two texts the extraction keeps per file.
      if (reader.FixedFileInfo().FileVersion().empty() && reader.StringFileInfo().FileVersion().size() > 1000)
        std::puts("");
    }
    if ((i + 1) % quarter == 0) {
      const auto before = Clock::now();
      run.residentSamples.push_back(residentMiB());
      sampling += std::chrono::duration<double>(Clock::now() - before).count();
    }
  }
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count() - sampling;
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "bench/data/wine";
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec))
    if (e.is_regular_file()) files.push_back(e.path().string());
  if (files.empty()) {
    std::fprintf(stderr, "no files in %s (run bench/setup_wine_dlls.sh first)\n", folder.c_str());
    return 2;
  }
  std::sort(files.begin(), files.end());

  quorvane::clsFileVersion reader;
  std::size_t bytes = 0;
  const double startResident = residentMiB();
  floorPass(files, bytes);  // warm the cache for both loops
  readerPass(reader, files);

  double bestFloor = 1e9, bestReader = 1e9;
  ReaderRun last;
  for (int r = 0; r < rounds; ++r) {
    bestFloor = std::min(bestFloor, floorPass(files, bytes));
    last = readerPass(reader, files);
    bestReader = std::min(bestReader, last.seconds);
  }

  const double n = static_cast<double>(files.size());
  std::printf("files: %zu in %s, best of %d warm runs\n", files.size(), folder.c_str(), rounds);
  std::printf("floor  (open, read 4 KiB, close): %8.1f ms  %9.0f files/s\n", bestFloor * 1e3, n / bestFloor);
  std::printf("reader (clsFileVersion)         : %8.1f ms  %9.0f files/s  (%zu with version information)\n",
              bestReader * 1e3, n / bestReader, last.withVersion);
  std::printf("reader / floor: %.2f (target at most 2.50)\n", bestReader / bestFloor);
  std::printf("resident memory: %.1f MiB at start; after each quarter of the last reader run:", startResident);
  for (double s : last.residentSamples) std::printf(" %.1f", s);
  std::printf(" MiB; peak %.1f MiB\n", peakMiB());
  return 0;
}
