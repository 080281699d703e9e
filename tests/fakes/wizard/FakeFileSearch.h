// An in-memory folder search: files given by full path in the order the file
// system lists them, a system directory, FindFirstFileW patterns with "*"
// and "?" in the last part matched without case, 2 when nothing matches, 3
// when the folder does not exist, 18 at the end of a search. Every call is
// recorded and open searches are counted.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "wizard/engine/platform/FileSearch.h"

namespace kit::fakes {

class FakeFileSearch : public quispor::platform::FileSearch {
 public:
  std::u16string systemDirectory = u"C:\\Windows\\system32";
  // Full paths, in listing order.
  std::vector<std::u16string> paths;
  // Folders that exist even when they hold no file.
  std::vector<std::u16string> folders = {u"C:\\Windows\\inf"};
  std::vector<std::string> calls;

  void Remove(const std::u16string& path);
  std::size_t OpenSearches() const { return searches_.size(); }

  uint32_t GetSystemDirectoryW(char16_t* buffer, uint32_t size) override;
  uint32_t FindFirstFileW(const char16_t* pattern, quispor::platform::FindDataW* data,
                          quispor::platform::SearchHandle* search) override;
  uint32_t FindNextFileW(quispor::platform::SearchHandle search, quispor::platform::FindDataW* data) override;
  uint32_t FindClose(quispor::platform::SearchHandle search) override;

 private:
  struct Search {
    std::vector<std::u16string> names;
    std::size_t next = 0;
  };
  std::map<quispor::platform::SearchHandle, Search> searches_;
  quispor::platform::SearchHandle nextHandle_ = 0x4000;
};

}  // namespace kit::fakes
