#include <gtest/gtest.h>

#include <filesystem>

#include "common/private_folder.h"
#include "support/files.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testsupport::TempFolder;
using testsupport::writeFile;

}  // namespace
}  // namespace quorvane
