#include "console/store/RegistryName.h"

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

}  // namespace vantrel
