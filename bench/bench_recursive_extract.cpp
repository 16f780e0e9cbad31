// `quorvane-cli extract TREE --recurse --kind "*.*" -o FILE` over a generated tree of
// 100,000 files (hard links to a few real images, spread over folders of 1,000), against
// a recursive floor measured in the same run: walk the tree, open each file, read its
// first 4 KiB, close it. Prints both times, their ratio (target: 2.0 or less) and the
// program's peak memory beside the size of the record it wrote.
//
//   bench/setup_wine_dlls.sh && build/bench/bench_recursive_extract bench/data/wine [files] [rounds] [cli]

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

namespace fs = std::filesystem;
using Clock = benchSupport::Clock;
constexpr std::size_t kFilesPerFolder = 1000;

// Hard links keep the tree small on disk and its files real images.
bool makeTree(const std::string& source, const fs::path& tree, std::size_t files) {
  std::vector<fs::path> images;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(source, ec))
    if (e.is_regular_file() && images.size() < 64) images.push_back(e.path());
  if (images.empty()) return false;
  fs::remove_all(tree, ec);
  for (std::size_t i = 0; i < files; ++i) {
    const fs::path folder = tree / ("d" + std::to_string(i / kFilesPerFolder / 10)) /
                            ("s" + std::to_string(i / kFilesPerFolder));
    if (i % kFilesPerFolder == 0) fs::create_directories(folder);
    const fs::path& image = images[i % images.size()];
    fs::create_hard_link(image, folder / (std::to_string(i) + "_" + image.filename().string()), ec);
    if (ec) return false;
  }
  return true;
}

double floorPass(const fs::path& tree, std::size_t& files) {
  const auto start = Clock::now();
  std::vector<std::string> paths;
  std::error_code ec;
  for (const auto& e : fs::recursive_directory_iterator(tree, ec))
    if (e.is_regular_file()) paths.push_back(e.path().string());
  files = benchSupport::readFirstBlocks(paths);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// One run; negative when it failed. `peakKiB` gets the child's peak resident memory.
double cliPass(const std::string& cli, const fs::path& tree, const std::string& record, long& peakKiB,
               double& cpu) {
  std::vector<std::string> args = {cli, "extract", tree.string(), "--recurse", "--kind", "*.*", "-o", record};
  return benchSupport::timedRun(args, &peakKiB, &cpu);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string source = argc > 1 ? argv[1] : "bench/data/wine";
  const std::size_t count = argc > 2 ? std::max<std::size_t>(1000, std::strtoul(argv[2], nullptr, 10)) : 100000;
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
  const std::string cli = argc > 4 ? argv[4] : benchSupport::defaultCli(argv[0]);
  const fs::path tree = fs::temp_directory_path() / ("quorvane-bench-tree-" + std::to_string(getpid()));
  // A folder of this run's own, so that runs side by side do not write one record.
  const auto own = quorvane::PrivateFolder::create(fs::temp_directory_path().string());
  if (!own) {
    std::perror("cannot make a temporary folder");
    return 2;
  }
  const std::string record = own->path() + "record.txt";
  // The tree must sit on the file system of the images for hard links.
  if (!makeTree(source, tree, count)) {
    std::fprintf(stderr, "cannot make the tree from %s in %s\n", source.c_str(), tree.c_str());
    return 2;
  }
  std::size_t files = 0;
  long peakKiB = 0, bestPeak = 0;
  double cpu = 0, bestCpu = 1e9;
  floorPass(tree, files);  // warm the cache
  double bestFloor = 1e9, bestCli = 1e9;
  for (int r = 0; r < rounds; ++r) {
    bestFloor = std::min(bestFloor, floorPass(tree, files));
    const double t = cliPass(cli, tree, record, peakKiB, cpu);
    if (t < 0) {
      std::fprintf(stderr, "%s failed\n", cli.c_str());
      fs::remove_all(tree);
      return 1;
    }
    bestCli = std::min(bestCli, t);
    bestCpu = std::min(bestCpu, cpu);
    bestPeak = std::max(bestPeak, peakKiB);
  }
  const auto recordBytes = fs::file_size(record);
  fs::remove_all(tree);
  std::printf("files: %zu in a tree of folders of %zu, best of %d warm runs\n", files, kFilesPerFolder, rounds);
  std::printf("recursive floor (walk, open, read 4 KiB, close): %8.1f ms\n", bestFloor * 1e3);
  std::printf("quorvane-cli extract --recurse -o:                 %8.1f ms\n", bestCli * 1e3);
  std::printf("its processor time (best run, all threads):  %8.1f ms\n", bestCpu * 1e3);
  std::printf("ratio: %.2f (target: 2.00 or less)\n", bestCli / bestFloor);
  std::printf("peak memory: %ld KiB, record: %ju KiB\n", bestPeak, static_cast<std::uintmax_t>(recordBytes / 1024));
  return bestCli <= 2 * bestFloor ? 0 : 1;
}
