#include "console/store/RegistryName.h"

#include <cstdint>

namespace vantrel {

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

}  // namespace

bool SameRegistryName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
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
  // FNV-1a over the upper-cased bytes.
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(Upper(c))) * 1099511628211ull;
  return static_cast<std::size_t>(hash ^ (hash >> 32));
}

}  // namespace vantrel
