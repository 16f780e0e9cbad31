#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorvane {

struct ExtractionRunReport;

// One line per file a run could not expand or left out of its result, with the reason:
// what both front ends list after such a run.
std::vector<std::string> incompleteLines(const ExtractionRunReport& report);

// The window's message after such a run: a heading with the count, the first `shown`
// lines, and how many more there are, so that a folder of thousands of bad names still
// gives a message that fits on the screen.
std::string incompleteMessage(const ExtractionRunReport& report, std::size_t shown = 20);

}  // namespace quorvane
