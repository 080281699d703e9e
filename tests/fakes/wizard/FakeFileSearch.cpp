#include "tests/fakes/wizard/FakeFileSearch.h"

#include <algorithm>

#include "tests/fakes/wizard/FakeText.h"

namespace kit::fakes {
namespace {

using namespace quispor::platform;

constexpr uint32_t kErrorInvalidHandle = 6;

char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool Matches(std::u16string_view mask, std::u16string_view name) {
  if (mask.empty()) {
    return name.empty();
  }
  if (mask[0] == u'*') {
    for (std::size_t skip = 0; skip <= name.size(); ++skip) {
      if (Matches(mask.substr(1), name.substr(skip))) {
        return true;
      }
    }
    return false;
  }
  if (name.empty()) {
    return false;
  }
  return (mask[0] == u'?' || Fold(mask[0]) == Fold(name[0])) && Matches(mask.substr(1), name.substr(1));
}

void Fill(const std::u16string& name, FindDataW* data) {
  *data = FindDataW{};
  data->dwFileAttributes = 0x20;  // FILE_ATTRIBUTE_ARCHIVE
  const std::size_t n = std::min(name.size(), std::size(data->cFileName) - 1);
  std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(n), data->cFileName);
}

}  // namespace

void FakeFileSearch::Remove(const std::u16string& path) {
  paths.erase(std::remove_if(paths.begin(), paths.end(), [&](const std::u16string& p) { return EqualsNoCase(p, path); }),
              paths.end());
}

uint32_t FakeFileSearch::GetSystemDirectoryW(char16_t* buffer, uint32_t size) {
  calls.push_back("GetSystemDirectoryW(size=" + std::to_string(size) + ")");
  const uint32_t length = static_cast<uint32_t>(systemDirectory.size());
  if (size <= length) {
    return length + 1;
  }
  std::copy(systemDirectory.begin(), systemDirectory.end(), buffer);
  buffer[length] = u'\0';
  return length;
}

uint32_t FakeFileSearch::FindFirstFileW(const char16_t* pattern, FindDataW* data, SearchHandle* search) {
  calls.push_back("FindFirstFileW(" + Quote(pattern) + ")");
  *search = 0;
  const std::u16string text = pattern ? pattern : u"";
  const std::size_t cut = text.rfind(u'\\');
  if (cut == std::u16string::npos) {
    return kErrorFileNotFound;
  }
  const std::u16string folder = text.substr(0, cut);
  const std::u16string mask = text.substr(cut + 1);
  bool folderExists = std::any_of(folders.begin(), folders.end(),
                                  [&](const std::u16string& f) { return EqualsNoCase(f, folder); });
  Search found;
  for (const std::u16string& path : paths) {
    const std::size_t at = path.rfind(u'\\');
    if (at == std::u16string::npos || !EqualsNoCase(path.substr(0, at), folder)) {
      continue;
    }
    folderExists = true;
    const std::u16string name = path.substr(at + 1);
    if (Matches(mask, name)) {
      found.names.push_back(name);
    }
  }
  if (!folderExists) {
    return kErrorPathNotFound;
  }
  if (found.names.empty()) {
    return kErrorFileNotFound;
  }
  Fill(found.names[0], data);
  found.next = 1;
  const SearchHandle h = nextHandle_;
  nextHandle_ += 4;
  searches_[h] = found;
  *search = h;
  return 0;
}

uint32_t FakeFileSearch::FindNextFileW(SearchHandle search, FindDataW* data) {
  calls.push_back("FindNextFileW");
  const auto it = searches_.find(search);
  if (it == searches_.end()) {
    return kErrorInvalidHandle;
  }
  if (it->second.next >= it->second.names.size()) {
    return kErrorNoMoreFiles;
  }
  Fill(it->second.names[it->second.next++], data);
  return 0;
}

uint32_t FakeFileSearch::FindClose(SearchHandle search) {
  calls.push_back("FindClose");
  return searches_.erase(search) == 1 ? 0 : kErrorInvalidHandle;
}

}  // namespace kit::fakes
