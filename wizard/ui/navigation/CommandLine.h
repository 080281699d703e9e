// The wizard's only command-line option.
#pragma once

#include <string_view>

namespace quispor {

// True when the command-line text after the program name contains
// "-uninstall" anywhere, compared case-sensitively (so "-Uninstall" is not it,
// while "x-uninstallx" is).
bool HasUninstallFlag(std::u16string_view commandTail);

// The part of a full command line (as GetCommandLineW gives it) after the
// program name: a quoted first word ends at its closing quote, an unquoted one
// at the first blank or tab; the blanks that follow are skipped.
std::u16string_view CommandTail(std::u16string_view commandLine);

}  // namespace quispor
