// The wizard's file services on the host's own file system, for benchmarks
// that must pay the real cost of reading and writing: Windows paths such as
// C:\Windows\inf\oem1.inf are mapped under a root folder, the C runtime
// calls go straight to stdio, the folder search lists a real directory.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "wizard/engine/platform/CodePage.h"
#include "wizard/engine/platform/CrtFiles.h"
#include "wizard/engine/platform/FileSearch.h"

namespace kit::bench {

// "C:\a\b" under root: root + "/a/b".
std::string HostPath(const std::string& root, const std::string& windowsPath);

class HostCrtFiles : public quispor::platform::CrtFiles {
 public:
  explicit HostCrtFiles(std::string root) : root_(std::move(root)) {}
  quispor::platform::FileHandle fopen(const char* path, const char* mode) override;
  quispor::platform::FileHandle _fsopen(const char* path, const char* mode, int shareFlag) override;
  int fclose(quispor::platform::FileHandle file) override;
  int fseek(quispor::platform::FileHandle file, int32_t offset, int origin) override;
  int32_t ftell(quispor::platform::FileHandle file) override;
  std::size_t fread(void* buffer, std::size_t size, std::size_t count, quispor::platform::FileHandle file) override;
  std::size_t fwrite(const void* buffer, std::size_t size, std::size_t count,
                     quispor::platform::FileHandle file) override;
  int fflush(quispor::platform::FileHandle file) override;
  quispor::platform::FileHandle StandardOutput() override;

 private:
  std::string root_;
};

// FindFirstFileW for "<folder>\<prefix>*<suffix>" patterns.
class HostFileSearch : public quispor::platform::FileSearch {
 public:
  explicit HostFileSearch(std::string root) : root_(std::move(root)) {}
  uint32_t GetSystemDirectoryW(char16_t* buffer, uint32_t size) override;
  uint32_t FindFirstFileW(const char16_t* pattern, quispor::platform::FindDataW* data,
                          quispor::platform::SearchHandle* search) override;
  uint32_t FindNextFileW(quispor::platform::SearchHandle search, quispor::platform::FindDataW* data) override;
  uint32_t FindClose(quispor::platform::SearchHandle search) override;

 private:
  std::string root_;
  std::map<quispor::platform::SearchHandle, std::pair<std::vector<std::string>, std::size_t>> searches_;
  quispor::platform::SearchHandle next_ = 1;
};

// Code page 1252's Latin-1 range, one byte per character.
class HostCodePage : public quispor::platform::CodePage {
 public:
  int WideCharToMultiByte(uint32_t codePage, uint32_t flags, const char16_t* wide, int wideLength, char* multiByte,
                          int multiByteSize, const char* defaultChar, int* usedDefaultChar) override;
  int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* multiByte, int multiByteLength,
                          char16_t* wide, int wideSize) override;
};

}  // namespace kit::bench
