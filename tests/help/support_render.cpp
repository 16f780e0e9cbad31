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

}  // namespace quorvane::help::testing
