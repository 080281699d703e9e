#include "wizard/removal/InfSearch.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "wizard/engine/ModelCatalogue.h"

namespace quispor::removal {
namespace {

constexpr int kNarrowCapacity = 260;
constexpr std::size_t kReadBlock = 8192;

// text in the ANSI code page, or empty when it does not fit 259 bytes.
std::string Narrow(platform::CodePage& codePage, const char16_t* text) {
  char buffer[kNarrowCapacity] = {};
  if (codePage.WideCharToMultiByte(platform::kCpAcp, 0, text, -1, buffer, kNarrowCapacity, nullptr, nullptr) <= 0) {
    return {};
  }
  buffer[kNarrowCapacity - 1] = '\0';
  return buffer;
}

// The whole file, or false when it cannot be opened, sized or read whole.
bool ReadWhole(platform::CrtFiles& files, const std::string& path, std::vector<char>& content) {
  platform::CrtFile file(files, files.fopen(path.c_str(), "rb"));
  if (!file) {
    return false;
  }
  if (files.fseek(file.get(), 0, platform::kSeekEnd) != 0) {
    return false;
  }
  const int32_t size = files.ftell(file.get());
  if (size < 0 || files.fseek(file.get(), 0, platform::kSeekSet) != 0) {
    return false;
  }
  try {
    content.assign(static_cast<std::size_t>(size), '\0');
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::size_t total = 0;
  while (total < content.size()) {
    const std::size_t wanted = std::min(kReadBlock, content.size() - total);
    const std::size_t got = files.fread(content.data() + total, 1, wanted, file.get());
    if (got == 0) {
      break;
    }
    total += got;
  }
  return total == content.size();
}

bool ContainsWideAtEvenOffset(std::string_view content, std::u16string_view name) {
  std::string pattern;
  for (char16_t c : name) {
    pattern += static_cast<char>(c & 0xFF);
    pattern += static_cast<char>(c >> 8);
  }
  for (std::size_t at = content.find(pattern); at != std::string_view::npos; at = content.find(pattern, at + 1)) {
    if (at % 2 == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

int InfContainsModel(platform::CrtFiles& files, platform::CodePage& codePage, const char16_t* path,
                     int32_t modelIndex) {
  if (path == nullptr || modelIndex < 0 || modelIndex >= modelCount) {
    return 0;
  }
  const std::string narrowPath = Narrow(codePage, path);
  if (narrowPath.empty()) {
    return 0;
  }
  std::vector<char> content;
  if (!ReadWhole(files, narrowPath, content)) {
    return 0;
  }
  const char16_t* dataFile = ModelCatalogue[modelIndex].driverFiles[2];
  const std::string_view bytes(content.data(), content.size());
  const std::string narrowName = Narrow(codePage, dataFile);
  if (!narrowName.empty() && bytes.find(narrowName) != std::string_view::npos) {
    return 1;
  }
  return ContainsWideAtEvenOffset(bytes, dataFile) ? 1 : 0;
}

}  // namespace quispor::removal
