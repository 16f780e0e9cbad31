// The whole extraction as a user runs it, `quorvane-cli extract FOLDER --kind "*.*" -o FILE`
// (a process of its own: scan, version information of every file, display order and the
// record file), against the I/O floor of any extraction: a loop that lists the folder and
// opens each file, reads its first 4 KiB and closes it, on one thread. Target: within 1.5 times
// the floor.
// Both run several times on a warm cache; the best run of each counts.
//
//   bench/setup_wine_dlls.sh && build/bench/bench_cli_extract bench/data/wine [rounds] [cli]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_bench_support.h"
#include "common/private_folder.h"

namespace {

using Clock = benchSupport::Clock;

// The floor: list the folder, then open, read the first 4 KiB and close every file.
double floorPass(const std::string& folder, std::size_t& files) {
  const auto start = Clock::now();
  std::vector<std::string> paths;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec))
    if (e.is_regular_file()) paths.push_back(e.path().string());
  files = benchSupport::readFirstBlocks(paths);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// One run of the command line program; negative when it failed.
double cliPass(const std::string& cli, const std::string& folder, const std::string& record, double& cpu) {
  std::vector<std::string> args = {cli, "extract", folder, "--kind", "*.*", "-o", record};
  return benchSupport::timedRun(args, nullptr, &cpu);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "bench/data/wine";
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const std::string cli = argc > 3 ? argv[3] : benchSupport::defaultCli(argv[0]);
  // A folder of this run's own, so that runs side by side do not write one record.
  const auto own = quorvane::PrivateFolder::create(std::filesystem::temp_directory_path().string());
  if (!own) {
    std::perror("cannot make a temporary folder");
    return 2;
  }
  const std::string record = own->path() + "record.txt";

  std::size_t files = 0;
  floorPass(folder, files);  // warm the cache for both
  double cpu = 0, bestCpu = 1e9;
  if (files == 0 || cliPass(cli, folder, record, cpu) < 0) {
    std::fprintf(stderr, "no files in %s or %s failed (run bench/setup_wine_dlls.sh first)\n", folder.c_str(),
                 cli.c_str());
    return 2;
  }
  double bestFloor = 1e9, bestCli = 1e9;
  for (int r = 0; r < rounds; ++r) {
    bestFloor = std::min(bestFloor, floorPass(folder, files));
    const double t = cliPass(cli, folder, record, cpu);
    if (t < 0) return 1;
    bestCli = std::min(bestCli, t);
    bestCpu = std::min(bestCpu, cpu);
  }
  const auto recordBytes = std::filesystem::file_size(record);
  std::printf("files: %zu in %s, best of %d warm runs\n", files, folder.c_str(), rounds);
  std::printf("floor (list, open, read 4 KiB, close): %8.1f ms\n", bestFloor * 1e3);
  std::printf("quorvane-cli extract -o (record %ju bytes): %8.1f ms\n", static_cast<std::uintmax_t>(recordBytes),
              bestCli * 1e3);
  std::printf("its processor time (best run, all threads):  %8.1f ms\n", bestCpu * 1e3);
  std::printf("ratio: %.2f (target: 1.50 or less)\n", bestCli / bestFloor);
  return bestCli <= 1.5 * bestFloor ? 0 : 1;
}
