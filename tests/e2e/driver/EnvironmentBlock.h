// Builds the environment block of a started program: the inherited variables
// with the caller's extra entries added or replacing, in the order Windows
// requires (sorted by name without regard to case).
#pragma once

#include <string>
#include <vector>

namespace kit::e2e {

// Splits a block of NUL-terminated "NAME=value" strings ending in an empty
// string (as GetEnvironmentStringsW returns it) into its entries.
std::vector<std::u16string> SplitEnvironmentBlock(const std::u16string& block);

// The name part of an entry. Names may begin with '=' (the per-drive current
// folders "=C:=C:\dir"), so the name ends at the first '=' after position 0.
std::u16string EnvironmentName(const std::u16string& entry);

// inherited plus extras, an extra replacing an inherited entry of the same
// name (compared without case), sorted by upper-cased name, as one block with
// its terminating empty string. Throws std::invalid_argument for an extra
// entry without a name or without '='.
std::u16string MergeEnvironment(const std::vector<std::u16string>& inherited,
                                const std::vector<std::u16string>& extras);

}  // namespace kit::e2e
