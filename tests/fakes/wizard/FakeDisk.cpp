#include "tests/fakes/wizard/FakeDisk.h"

#include <algorithm>

#include "tests/fakes/wizard/FakeHelpers.h"
#include "tests/fakes/wizard/FakeText.h"

namespace kit::fakes {
namespace {

// Windows' own numbers, not the product's.
constexpr uint32_t kGenericAll = 0x10000000;
constexpr uint32_t kGenericWrite = 0x40000000;
constexpr uint32_t kGenericRead = 0x80000000;
constexpr uint32_t kFileWriteData = 0x2;
constexpr uint32_t kFileAppendData = 0x4;
constexpr uint32_t kFileReadAttributes = 0x80;
constexpr uint32_t kCreateAlways = 2;
constexpr uint32_t kFileFlagOpenReparsePoint = 0x00200000;
constexpr uint32_t kFileAttributeArchive = 0x20;
constexpr uint32_t kFileAttributeReparsePoint = 0x400;
constexpr uint32_t kErrorInvalidHandle = 6;

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
  if (folders.items.count(FolderOf(path)) == 0) {
    folders.Put(FolderOf(path));
  }
}

void FakeDisk::HardLink(const std::u16string& name, const std::u16string& file) {
  Put(name, files.at(file));
  hardLinks[name] = hardLinks.count(file) != 0 ? hardLinks.at(file) : file;
}

void FakeDisk::SymbolicLink(const std::u16string& link, const std::u16string& target) {
  if (folders.items.count(FolderOf(link)) == 0) {
    folders.Put(FolderOf(link));
  }
  symbolicLinks[link] = target;
}

std::vector<std::u16string> FakeDisk::NamesOf(const std::u16string& path) const {
  const auto linked = hardLinks.find(path);
  const std::u16string file = linked != hardLinks.end() ? linked->second : path;
  std::vector<std::u16string> names{file};
  for (const auto& [name, target] : hardLinks) {
    if (!NoCaseLess16()(target, file) && !NoCaseLess16()(file, target)) names.push_back(name);
  }
  return names;
}

void FakeDisk::Store(const std::u16string& path, const std::string& content) {
  for (const std::u16string& name : NamesOf(path)) files[name] = content;
}

uint32_t FakeDisk::CopyFileW(const char16_t* existingFileName, const char16_t* newFileName, bool failIfExists) {
  calls.push_back("CopyFileW(" + Quote(existingFileName) + ", " + Quote(newFileName) +
                  ", failIfExists=" + (failIfExists ? "true" : "false") + ")");
  if (existingFileName == nullptr || newFileName == nullptr) {
    return kErrorPathNotFound;
  }
  const auto source = files.find(existingFileName);
  if (source == files.end()) {
    return folders.IsFolder(FolderOf(existingFileName)) ? kErrorFileNotFound : kErrorPathNotFound;
  }
  const std::u16string target = newFileName;
  if (!folders.IsFolder(FolderOf(target))) {
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
  Store(target, content);
  return 0;
}

uint32_t FakeDisk::CreateFileW(const char16_t* path, uint32_t access, uint32_t share, uint32_t disposition,
                               uint32_t flags, quispor::unattended::KernelHandle* file) {
  calls.push_back("CreateFileW(" + Quote(path) + ", access=" + detail::HexText(access) + ", share=" +
                  std::to_string(share) + ", disposition=" + std::to_string(disposition) +
                  ", flags=" + detail::HexText(flags) + ")");
  *file = 0;
  std::u16string target = path != nullptr ? path : u"";
  bool link = symbolicLinks.count(target) != 0;
  if (link && !(flags & kFileFlagOpenReparsePoint)) {
    target = symbolicLinks.at(target);
    link = false;
  }
  if (target.empty() || !folders.IsFolder(FolderOf(target))) {
    return kErrorPathNotFound;
  }
  if (folders.items.count(target) != 0 || (readOnly.count(target) != 0 && access != 0)) {
    return kErrorAccessDenied;
  }
  if (!link && (disposition == kCreateAlways || files.count(target) == 0)) {
    Store(target, "");
  }
  *file = nextHandle_++;
  openFiles[*file] = {target, access, link};
  return 0;
}

uint32_t FakeDisk::GetFileInformationByHandle(quispor::unattended::KernelHandle file, uint32_t* attributes,
                                              uint32_t* links) {
  const auto open = openFiles.find(file);
  if (open == openFiles.end()) {
    return kErrorInvalidHandle;
  }
  if ((open->second.access & (kFileReadAttributes | kGenericRead | kGenericAll)) == 0) {
    return kErrorAccessDenied;
  }
  *attributes = kFileAttributeArchive | (open->second.link ? kFileAttributeReparsePoint : 0);
  *links = open->second.link ? 1 : static_cast<uint32_t>(NamesOf(open->second.path).size());
  return 0;
}

uint32_t FakeDisk::SetEndOfFile(quispor::unattended::KernelHandle file) {
  const auto open = openFiles.find(file);
  if (open == openFiles.end()) {
    return kErrorInvalidHandle;
  }
  if ((open->second.access & (kGenericWrite | kGenericAll | kFileWriteData)) == 0) {
    return kErrorAccessDenied;
  }
  if (!open->second.wrote) Store(open->second.path, "");  // a new handle stands at the start
  return 0;
}

uint32_t FakeDisk::WriteFile(quispor::unattended::KernelHandle file, const void* data, uint32_t size,
                             uint32_t* written) {
  *written = 0;
  const auto open = openFiles.find(file);
  if (open == openFiles.end()) {
    return kErrorInvalidHandle;
  }
  if ((open->second.access & (kGenericWrite | kGenericAll | kFileWriteData | kFileAppendData)) == 0) {
    return kErrorAccessDenied;
  }
  // Without GENERIC_WRITE every write of an append handle goes to the end;
  // this fake's writable handles are used only from the start or the end.
  Store(open->second.path, files[open->second.path] + std::string(static_cast<const char*>(data), size));
  open->second.wrote = true;
  *written = size;
  return 0;
}

uint32_t FakeDisk::CloseHandle(quispor::unattended::KernelHandle file) {
  return openFiles.erase(file) != 0 ? 0 : kErrorInvalidHandle;
}

}  // namespace kit::fakes
