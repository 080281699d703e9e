#include "tests/fakes/wizard/FakeDisk.h"

#include <algorithm>

#include "tests/fakes/wizard/FakeHelpers.h"
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

uint32_t FakeDisk::CreateFileW(const char16_t* path, uint32_t access, uint32_t share, uint32_t disposition,
                               quispor::unattended::KernelHandle* file) {
  calls.push_back("CreateFileW(" + Quote(path) + ", access=" + detail::HexText(access) + ", share=" +
                  std::to_string(share) + ", disposition=" + std::to_string(disposition) + ")");
  *file = 0;
  const std::u16string target = path != nullptr ? path : u"";
  if (target.empty() || folders.count(FolderOf(target)) == 0) {
    return kErrorPathNotFound;
  }
  if (folders.count(target) != 0 || (readOnly.count(target) != 0 && access != 0)) {
    return kErrorAccessDenied;
  }
  if (disposition == quispor::unattended::kCreateAlways || files.count(target) == 0) {
    files[target].clear();
  }
  *file = nextHandle_++;
  openFiles[*file] = {target, access};
  return 0;
}

uint32_t FakeDisk::WriteFile(quispor::unattended::KernelHandle file, const void* data, uint32_t size,
                             uint32_t* written) {
  *written = 0;
  const auto open = openFiles.find(file);
  if (open == openFiles.end()) {
    return 6;  // ERROR_INVALID_HANDLE
  }
  if ((open->second.second & (quispor::unattended::kGenericWrite | quispor::unattended::kFileAppendData)) == 0) {
    return kErrorAccessDenied;
  }
  // Without GENERIC_WRITE every write of an append handle goes to the end;
  // this fake's writable handles are used only from the start or the end.
  files[open->second.first].append(static_cast<const char*>(data), size);
  *written = size;
  return 0;
}

uint32_t FakeDisk::CloseHandle(quispor::unattended::KernelHandle file) {
  return openFiles.erase(file) != 0 ? 0 : 6;  // ERROR_INVALID_HANDLE
}

uint32_t FakeDisk::CreateDirectoryW(const char16_t* path) {
  calls.push_back("CreateDirectoryW(" + Quote(path) + ")");
  const std::u16string folder = path != nullptr ? path : u"";
  if (folders.count(folder) != 0 || files.count(folder) != 0) {
    return quispor::unattended::kErrorAlreadyExists;
  }
  if (folders.count(FolderOf(folder)) == 0) {
    return kErrorPathNotFound;
  }
  folders.insert(folder);
  return 0;
}

}  // namespace kit::fakes
