#pragma once

// The temporary folder and the file helpers now live in the test kit (tests/support);
// this header only forwards to them until the extraction tests include the kit directly.
#include "support/files.h"
#include "support/temp_folder.h"
