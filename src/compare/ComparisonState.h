#pragma once

#include <QString>
#include <string>
#include <vector>

#include "compare/compare_engine.h"

namespace quorvane {

// What the comparison page keeps of its last completed run.
struct ComparisonState {
  ComparisonResult Result;
  bool HasResult = false;
  // The second side as it was named when the run started: the second record's name, or
  // the extraction folder when the run compared with the extraction.
  QString Target2;
  // The record files the run read; the result is never saved over one of them.
  std::vector<std::string> Records;
  // The row position each line of List2 carries.
  std::vector<std::size_t> ListRows;
};

}  // namespace quorvane
