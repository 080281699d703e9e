// Device and alternate names compared as the registry compares key and
// value names: without regard to letter case. The console's names are 8-bit
// text in the system code page; ASCII letters are compared without case and
// other characters as they are, so names that differ there count as
// different devices.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel {

bool SameRegistryName(std::string_view a, std::string_view b);

// The same text for every name SameRegistryName finds equal, for a map key.
std::string RegistryNameKey(std::string_view name);
// The same number for every name SameRegistryName finds equal.
std::size_t RegistryNameHash(std::string_view name);

}  // namespace vantrel
