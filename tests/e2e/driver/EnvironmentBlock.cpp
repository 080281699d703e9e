#include "tests/e2e/driver/EnvironmentBlock.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace kit::e2e {
namespace {

// Windows orders the block by the names in upper case, code unit by code
// unit, independent of the locale; ASCII folding covers the names programs use.
char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

std::u16string UpperName(const std::u16string& entry) {
  std::u16string name = EnvironmentName(entry);
  std::transform(name.begin(), name.end(), name.begin(), Upper);
  return name;
}

}  // namespace

std::vector<std::u16string> SplitEnvironmentBlock(const std::u16string& block) {
  std::vector<std::u16string> entries;
  size_t at = 0;
  while (at < block.size()) {
    const size_t end = block.find(u'\0', at);
    if (end == at) break;  // the empty string that ends the block
    if (end == std::u16string::npos) {
      entries.push_back(block.substr(at));  // an unterminated tail still counts
      break;
    }
    entries.push_back(block.substr(at, end - at));
    at = end + 1;
  }
  return entries;
}

std::u16string EnvironmentName(const std::u16string& entry) {
  const size_t eq = entry.find(u'=', 1);
  return entry.substr(0, eq == std::u16string::npos ? entry.size() : eq);
}

std::u16string MergeEnvironment(const std::vector<std::u16string>& inherited,
                                const std::vector<std::u16string>& extras) {
  for (const auto& extra : extras) {
    if (extra.find(u'=', 1) == std::u16string::npos || extra.find(u'\0') != std::u16string::npos) {
      throw std::invalid_argument("environment entries must read NAME=value");
    }
  }

  // Later entries win, so an extra replaces the inherited one and a repeated
  // extra replaces the earlier extra. The map keeps the names sorted.
  std::map<std::u16string, std::u16string> byName;  // upper-cased name -> entry
  for (const auto& entry : inherited) byName[UpperName(entry)] = entry;
  for (const auto& entry : extras) byName[UpperName(entry)] = entry;

  std::u16string block;
  for (const auto& [name, entry] : byName) {
    block += entry;
    block += u'\0';
  }
  if (byName.empty()) block += u'\0';  // an empty block is two NULs
  block += u'\0';
  return block;
}

}  // namespace kit::e2e
