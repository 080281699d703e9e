// The floors of the console's profile file benchmarks: what an export and a
// file read cannot do without, done as plainly as it goes, with nothing of
// the product's checks, messages or data structures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "console/store/RegistryApi.h"

namespace kit::bench {

// Reads what an export of every printer device reads, through the same keys:
// the device names, the 14 values of each device key (one query each, into a
// buffer large enough) and the alternate names of the class key (with their
// data, in one call each); then writes the bytes an export writes, UTF-16
// with every key under both registry paths, into one buffer sized up front.
// Every alternate name is written: the benchmark's names all point to a
// device of the file.
std::vector<std::uint8_t> ExportFloor(vantrel::RegistryApi& registry);

// Decodes a UTF-16 registry file and splits it into lines, and each value
// line into its name and its data; the number of values.
std::size_t ReadFloor(std::span<const std::uint8_t> file);

}  // namespace kit::bench
