// Help files are untrusted text: the source builder, the walk over tags and entities and
// the layout must survive any bytes, on a surface without pixels.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "help/fixed_surface.h"
#include "help/help_render.h"
#include "help/help_source.h"
#include "help/html_attributes.h"

using namespace quorvane::help;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t options = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const Text source = buildHelpSource(bytes);

  // Narrow canvases make every character wrap; both widths must work.
  FixedMetricsSurface canvas((options & 1) ? 600 : 9000, 3000);
  FixedMetricsSurface work(canvas.scaleWidth(), 3000);
  canvas.setRecording(false);
  work.setRecording(false);
  RenderSettings settings;
  settings.enableDispEnd = (options & 2) != 0;
  settings.displayScale = (options & 4) ? 1.3 : 0.8;
  AnchorTable anchors;
  std::vector<LinkRegion> links;
  RenderPage(source, settings, anchors, links, canvas, work);

  // Second pass: a topic from the anchor table, as the help window's links do.
  if (anchors.upperIndex() >= 0) {
    settings.topicName = anchors.at(anchors.upperIndex() / 2 + (options >> 4) % 2 * (anchors.upperIndex() + 1) / 2).Name;
    links.clear();
    RenderPage(source, settings, anchors, links, canvas, work);
  }
  ColorFromHtml(TextView(source).substr(0, 16));
  AttributeValue(TextView(source), static_cast<std::int32_t>(options));
  return 0;
}
