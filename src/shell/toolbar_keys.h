#pragma once

namespace quorvane {

// The keys of the main window's toolbar buttons; each key also numbers the button's
// picture and tool-tip text in the program's resources.
enum ToolbarKey : int {
  kExitKey = 50,
  kChooseKey = 40,
  kRunKey = 30,
  kSaveKey = 3,
  kCopyKey = 41,
  kMinimiseKey = 51,
};

}  // namespace quorvane
