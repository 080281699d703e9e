// Files on disk by full path, behind CopyFileW and the unattended run's file
// writes: paths compared without case, a copy needs its source (2) and the
// destination's folder (3), an existing destination is refused only with
// failIfExists (80), a read-only destination is refused (5); CreateFileW
// needs the folder (3), FILE_APPEND_DATA writes at the end, CREATE_ALWAYS
// empties the file, SetEndOfFile before a write does too;
// GetFileInformationByHandle needs FILE_READ_ATTRIBUTES (5). The folders live in a FakeFolders, with owners
// and DACLs, so the run's ProgramData folder and these files agree on what
// exists. A file may have a second hard link (both names share one content)
// or be a symbolic link (a reparse point, followed unless opened with
// FILE_FLAG_OPEN_REPARSE_POINT). The spooler fake looks here for driver
// files. Every call is recorded.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/fakes/trust/FakeFolders.h"
#include "wizard/engine/platform/FileCopy.h"
#include "wizard/unattended/RunPlatform.h"

namespace kit::fakes {

struct NoCaseLess16 {
  bool operator()(const std::u16string& a, const std::u16string& b) const;
};

class FakeDisk : public quispor::platform::FileCopy, public quispor::unattended::RunFiles {
 public:
  static constexpr uint32_t kErrorFileNotFound = 2;
  static constexpr uint32_t kErrorPathNotFound = 3;
  static constexpr uint32_t kErrorAccessDenied = 5;
  static constexpr uint32_t kErrorFileExists = 80;

  std::map<std::u16string, std::string, NoCaseLess16> files;  // full path -> content
  FakeFolders folders;
  std::set<std::u16string, NoCaseLess16> readOnly;
  std::map<std::u16string, std::u16string, NoCaseLess16> hardLinks;      // second name -> the file
  std::map<std::u16string, std::u16string, NoCaseLess16> symbolicLinks;  // link -> target
  std::vector<std::string> calls;

  // Adds a file and, when missing, its folder (made by an administrator).
  void Put(const std::u16string& path, const std::string& content = "x");
  bool Exists(const std::u16string& path) const { return files.count(path) != 0; }
  // mklink /h name file, and mklink name target.
  void HardLink(const std::u16string& name, const std::u16string& file);
  void SymbolicLink(const std::u16string& link, const std::u16string& target);

  uint32_t CopyFileW(const char16_t* existingFileName, const char16_t* newFileName, bool failIfExists) override;

  uint32_t CreateFileW(const char16_t* path, uint32_t access, uint32_t share, uint32_t disposition, uint32_t flags,
                       quispor::unattended::KernelHandle* file) override;
  uint32_t GetFileInformationByHandle(quispor::unattended::KernelHandle file, uint32_t* attributes,
                                      uint32_t* links) override;
  uint32_t SetEndOfFile(quispor::unattended::KernelHandle file) override;
  uint32_t WriteFile(quispor::unattended::KernelHandle file, const void* data, uint32_t size,
                     uint32_t* written) override;
  uint32_t CloseHandle(quispor::unattended::KernelHandle file) override;
  kit::trust::FolderPlatform& Folders() override { return folders; }

  struct OpenedFile {
    std::u16string path;
    uint32_t access = 0;
    bool link = false;  // the symbolic link itself, opened with FILE_FLAG_OPEN_REPARSE_POINT
    bool wrote = false;
  };
  std::map<quispor::unattended::KernelHandle, OpenedFile> openFiles;

 private:
  // The names of the file at path: itself and its hard links.
  std::vector<std::u16string> NamesOf(const std::u16string& path) const;
  void Store(const std::u16string& path, const std::string& content);

  quispor::unattended::KernelHandle nextHandle_ = 0x7000;
};

}  // namespace kit::fakes
