#include "tests/bench/HostPlatform.h"

#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace kit::bench {

using quispor::platform::FileHandle;

std::string HostPath(const std::string& root, const std::string& windowsPath) {
  std::string path = windowsPath;
  if (path.size() >= 2 && path[1] == ':') path.erase(0, 2);
  std::replace(path.begin(), path.end(), '\\', '/');
  return root + path;
}

namespace {

std::string Narrow(const char16_t* text) {
  std::string out;
  for (; text != nullptr && *text != 0; ++text) out += static_cast<char>(*text);
  return out;
}

void Fill(const std::string& name, quispor::platform::FindDataW* data) {
  *data = quispor::platform::FindDataW{};
  const std::size_t n = std::min<std::size_t>(name.size(), 259);
  for (std::size_t i = 0; i < n; ++i) data->cFileName[i] = static_cast<unsigned char>(name[i]);
}

}  // namespace

FileHandle HostCrtFiles::fopen(const char* path, const char* mode) {
  return std::fopen(HostPath(root_, path).c_str(), mode);
}
FileHandle HostCrtFiles::_fsopen(const char* path, const char* mode, int) { return fopen(path, mode); }
int HostCrtFiles::fclose(FileHandle file) { return std::fclose(static_cast<FILE*>(file)); }
int HostCrtFiles::fseek(FileHandle file, int32_t offset, int origin) {
  return std::fseek(static_cast<FILE*>(file), offset, origin);
}
int32_t HostCrtFiles::ftell(FileHandle file) { return static_cast<int32_t>(std::ftell(static_cast<FILE*>(file))); }
std::size_t HostCrtFiles::fread(void* buffer, std::size_t size, std::size_t count, FileHandle file) {
  return std::fread(buffer, size, count, static_cast<FILE*>(file));
}
std::size_t HostCrtFiles::fwrite(const void* buffer, std::size_t size, std::size_t count, FileHandle file) {
  return std::fwrite(buffer, size, count, static_cast<FILE*>(file));
}
int HostCrtFiles::fflush(FileHandle file) { return std::fflush(static_cast<FILE*>(file)); }
FileHandle HostCrtFiles::StandardOutput() { return stdout; }

uint32_t HostFileSearch::GetSystemDirectoryW(char16_t* buffer, uint32_t size) {
  static const char16_t kSystem[] = u"C:\\Windows\\system32";
  const uint32_t length = static_cast<uint32_t>(std::size(kSystem) - 1);
  if (size <= length) return length + 1;
  std::copy(std::begin(kSystem), std::end(kSystem), buffer);
  return length;
}

uint32_t HostFileSearch::FindFirstFileW(const char16_t* pattern, quispor::platform::FindDataW* data,
                                        quispor::platform::SearchHandle* search) {
  *search = 0;
  const std::string text = Narrow(pattern);
  const std::size_t cut = text.rfind('\\');
  const std::string mask = text.substr(cut + 1);
  const std::size_t star = mask.find('*');
  const std::string prefix = mask.substr(0, star);
  const std::string suffix = star == std::string::npos ? "" : mask.substr(star + 1);
  DIR* dir = opendir(HostPath(root_, text.substr(0, cut)).c_str());
  if (dir == nullptr) return quispor::platform::kErrorPathNotFound;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() >= prefix.size() + suffix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
      names.push_back(name);
    }
  }
  closedir(dir);
  if (names.empty()) return quispor::platform::kErrorFileNotFound;
  Fill(names[0], data);
  const quispor::platform::SearchHandle handle = next_++;
  searches_[handle] = {std::move(names), 1};
  *search = handle;
  return 0;
}

uint32_t HostFileSearch::FindNextFileW(quispor::platform::SearchHandle search, quispor::platform::FindDataW* data) {
  auto it = searches_.find(search);
  if (it == searches_.end()) return 6;
  auto& [names, next] = it->second;
  if (next >= names.size()) return quispor::platform::kErrorNoMoreFiles;
  Fill(names[next++], data);
  return 0;
}

uint32_t HostFileSearch::FindClose(quispor::platform::SearchHandle search) {
  return searches_.erase(search) == 1 ? 0 : 6;
}

int HostCodePage::WideCharToMultiByte(uint32_t, uint32_t, const char16_t* wide, int wideLength, char* multiByte,
                                      int multiByteSize, const char*, int* usedDefaultChar) {
  if (usedDefaultChar != nullptr) *usedDefaultChar = 0;
  const std::size_t length =
      wideLength < 0 ? std::char_traits<char16_t>::length(wide) + 1 : static_cast<std::size_t>(wideLength);
  if (multiByteSize == 0) return static_cast<int>(length);
  if (static_cast<std::size_t>(multiByteSize) < length) return 0;
  for (std::size_t i = 0; i < length; ++i) multiByte[i] = wide[i] < 0x100 ? static_cast<char>(wide[i]) : '?';
  return static_cast<int>(length);
}

int HostCodePage::MultiByteToWideChar(uint32_t, uint32_t, const char* multiByte, int multiByteLength, char16_t* wide,
                                      int wideSize) {
  const std::size_t length =
      multiByteLength < 0 ? std::strlen(multiByte) + 1 : static_cast<std::size_t>(multiByteLength);
  if (wideSize == 0) return static_cast<int>(length);
  if (static_cast<std::size_t>(wideSize) < length) return 0;
  for (std::size_t i = 0; i < length; ++i) wide[i] = static_cast<unsigned char>(multiByte[i]);
  return static_cast<int>(length);
}

}  // namespace kit::bench
