// The file dialogs of "Export..." and "Import...": registry files (*.reg),
// a file to write (asking before one is overwritten) or one that exists.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "console/editor/MainView.h"

namespace vantrel::win32 {

// The chosen path, none when the user cancels.
std::optional<std::string> AskProfileFile(HWND owner, FileChoice choice, const std::string& suggestedName);

}  // namespace vantrel::win32
