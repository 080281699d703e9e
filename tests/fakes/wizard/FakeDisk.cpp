#include "tests/fakes/wizard/FakeDisk.h"

#include <algorithm>

#include "tests/fakes/wizard/FakeText.h"

namespace kit::fakes {
namespace {

char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

std::u16string FolderOf(const std::u16string& path) {
  const std::size_t slash = path.rfind(u'\\');
  return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

}  // namespace

bool NoCaseLess16::operator()(const std::u16string& a, const std::u16string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char16_t x, char16_t y) { return Fold(x) < Fold(y); });
}

void FakeDisk::Put(const std::u16string& path, const std::string& content) {
  files[path] = content;
  folders.insert(FolderOf(path));
}

uint32_t FakeDisk::CopyFileW(const char16_t* existingFileName, const char16_t* newFileName, bool failIfExists) {
  calls.push_back("CopyFileW(" + Quote(existingFileName) + ", " + Quote(newFileName) +
                  ", failIfExists=" + (failIfExists ? "true" : "false") + ")");
  if (existingFileName == nullptr || newFileName == nullptr) {
    return kErrorPathNotFound;
  }
  const auto source = files.find(existingFileName);
  if (source == files.end()) {
    return folders.count(FolderOf(existingFileName)) != 0 ? kErrorFileNotFound : kErrorPathNotFound;
  }
  const std::u16string target = newFileName;
  if (folders.count(FolderOf(target)) == 0) {
    return kErrorPathNotFound;
  }
  if (files.count(target) != 0) {
    if (failIfExists) {
      return kErrorFileExists;
    }
    if (readOnly.count(target) != 0) {
      return kErrorAccessDenied;
    }
  }
  const std::string content = source->second;
  files[target] = content;
  return 0;
}

}  // namespace kit::fakes
