// Writes the sample corpus into the folder named on the command line, for the script
// that compares the Linux and the Windows program on the same files.
#include <cstdio>
#include <stdexcept>

#include "windows/support_sample_corpus.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_sample_folder FOLDER\n");
    return 2;
  }
  try {
    quorvane::testsupport::writeSampleCorpus(argv[1]);
  } catch (const std::runtime_error& e) {
    std::fprintf(stderr, "write_sample_folder: %s\n", e.what());
    return 1;
  }
  return 0;
}
