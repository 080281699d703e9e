#include "console/store/RegistryName.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vantrel {

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// The bytes a to z of a word in upper case, the others as they are; eight at
// a time, as each byte's top bit has room for the comparisons.
std::uint64_t UpperBytes(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  const std::uint64_t low = word & (0x7F * kOnes);
  const std::uint64_t fromA = low + (0x80 - 'a') * kOnes;     // top bit: at least 'a'
  const std::uint64_t pastZ = low + (0x80 - 'z' - 1) * kOnes;  // top bit: past 'z'
  const std::uint64_t lower = fromA & ~pastZ & ~word & (0x80 * kOnes);
  return word ^ (lower >> 2);
}

}  // namespace

bool SameRegistryName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a == b) return true;  // as most names are spelled
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

std::string RegistryNameKey(std::string_view name) {
  std::string key(name);
  for (char& c : key) c = Upper(c);
  return key;
}

std::size_t RegistryNameHash(std::string_view name) {
  constexpr std::uint64_t kPrime = 0x100000001B3ull;
  std::uint64_t hash = 0xCBF29CE484222325ull ^ name.size();
  while (!name.empty()) {
    std::uint64_t word = 0;
    const std::size_t n = std::min<std::size_t>(name.size(), 8);
    std::memcpy(&word, name.data(), n);
    hash = (hash ^ UpperBytes(word)) * kPrime;
    hash ^= hash >> 29;
    name.remove_prefix(n);
  }
  hash *= 0x9E3779B97F4A7C15ull;
  return static_cast<std::size_t>(hash ^ (hash >> 32));
}

}  // namespace vantrel
