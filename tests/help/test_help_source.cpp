#include <gtest/gtest.h>

#include "help/help_source.h"
#include "help/html_text.h"
#include "support_help_files.h"

using namespace quorvane::help;
