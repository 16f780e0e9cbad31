// Runs a fuzz target over every file of the folders or files named on the command line,
// so the seed corpus and past crash inputs are replayed by the ordinary test run.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
void replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}
}  // namespace

int main(int argc, char** argv) {
  std::size_t count = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path p(argv[i]);
    if (std::filesystem::is_directory(p)) {
      for (const auto& e : std::filesystem::recursive_directory_iterator(p))
        if (e.is_regular_file()) replay(e.path()), ++count;
    } else if (std::filesystem::is_regular_file(p)) {
      replay(p), ++count;
    }
  }
  // Also the empty input, which every parser must survive.
  LLVMFuzzerTestOneInput(nullptr, 0);
  std::cout << "replayed " << count << " inputs\n";
  return 0;
}
