// Files on disk by full path, behind CopyFileW and the unattended run's file
// writes: paths compared without case, a copy needs its source (2) and the
// destination's folder (3), an existing destination is refused only with
// failIfExists (80), a read-only destination is refused (5); CreateFileW
// needs the folder (3), FILE_APPEND_DATA writes at the end, CREATE_ALWAYS
// empties the file; CreateDirectoryW needs the parent (3) and answers 183
// for a folder that exists. The spooler fake looks here for driver files.
// Every call is recorded.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

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
  std::set<std::u16string, NoCaseLess16> folders;             // without trailing backslash
  std::set<std::u16string, NoCaseLess16> readOnly;
  std::vector<std::string> calls;

  // Adds a file and its folder.
  void Put(const std::u16string& path, const std::string& content = "x");
  bool Exists(const std::u16string& path) const { return files.count(path) != 0; }

  uint32_t CopyFileW(const char16_t* existingFileName, const char16_t* newFileName, bool failIfExists) override;

  uint32_t CreateFileW(const char16_t* path, uint32_t access, uint32_t share, uint32_t disposition,
                       quispor::unattended::KernelHandle* file) override;
  uint32_t WriteFile(quispor::unattended::KernelHandle file, const void* data, uint32_t size,
                     uint32_t* written) override;
  uint32_t CloseHandle(quispor::unattended::KernelHandle file) override;
  uint32_t CreateDirectoryW(const char16_t* path) override;
  // Handles open now, and the file and access of each.
  std::map<quispor::unattended::KernelHandle, std::pair<std::u16string, uint32_t>> openFiles;

 private:
  quispor::unattended::KernelHandle nextHandle_ = 0x7000;
};

}  // namespace kit::fakes
