// The process's command line: as the system splits it into arguments
// (CommandLineToArgvW), and whole (GetCommandLineW).
#pragma once

#include <string>
#include <vector>

namespace quispor::unattended::win32 {

// Argument 0 is the program; empty when the line cannot be split.
std::vector<std::u16string> ProcessArguments();

std::u16string ProcessCommandLine();

}  // namespace quispor::unattended::win32
