#include "support_render.h"

#include "help/html_text.h"

namespace quorvane::help::testing {

RenderResult Rendered::render(const std::string& utf8Source) {
  links.clear();
  settings.colors = PageColors{};
  settings.baseSizeIndex = 4;
  canvas.cls();
  canvas.setHeight(3000);
  canvas.clearOps();
  const Text source = toText(utf8Source);
  result = RenderPage(source, settings, anchors, links, canvas, work);
  return result;
}

std::vector<std::string> Rendered::visibleTexts() const {
  std::vector<std::string> out;
  for (const auto& op : canvas.ops())
    if (op.kind == FixedMetricsSurface::DrawOp::Kind::Text && op.color != settings.colors.background)
      out.push_back(op.text);
  return out;
}

}  // namespace quorvane::help::testing
