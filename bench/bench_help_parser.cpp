// The help parser and layout on a surface without pixels: the program's help file (every
// topic) and a generated 200 KB topic. Prints milliseconds per pass.
#include <chrono>
#include <cstdio>
#include <vector>

#include "common/file_reader.h"
#include "common/sjis.h"
#include "help/fixed_surface.h"
#include "help/help_render.h"
#include "help/help_source.h"
#include "help_bench_pages.h"

using namespace quorvane;
using namespace quorvane::help;

namespace {
double passMs(const Text& source, const std::string& topic, int repeat) {
  AnchorTable anchors;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeat; ++i) {
    FixedMetricsSurface canvas(9000, 6000), work(9000, 6000);
    canvas.setRecording(false);
    work.setRecording(false);
    RenderSettings settings;
    settings.topicName = topic;
    std::vector<LinkRegion> links;
    if (!RenderPage(source, settings, anchors, links, canvas, work).ok) std::printf("pass failed\n");
  }
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / repeat;
}
}  // namespace

int main() {
  const auto help = readWholeFile(QUORVANE_BINARY_DIR "/share/quorvane/QUORVANE.HTM", kMaxHelpFileBytes);
  if (help) {
    const Text source = buildHelpSource(*help);
    std::printf("help file, first topic:   %.3f ms\n", passMs(source, "", 200));
    std::printf("help file, last topic:    %.3f ms\n", passMs(source, "helpwindow", 200));
  }
  const auto big = sjis::encode(generatedHelpTopicUtf8(200 * 1024));
  const auto t0 = std::chrono::steady_clock::now();
  const Text bigSource = buildHelpSource(*big.bytes);
  const double buildMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  std::printf("200 KB topic (%zu bytes): source %.2f ms, pass %.2f ms\n", big.bytes->size(), buildMs,
              passMs(bigSource, "", 5));
  return 0;
}
