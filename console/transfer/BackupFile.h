// The file an import writes before it replaces anything: the devices it
// replaces, as an export holds them, in %ProgramData%\Vantrel\Backups\. The
// folder is made with a protected DACL, or checked before use, as the kit's
// other folders written with administrator rights are; the user's own
// profile would not do, as the user's unelevated programs can change it.
// Each file gets a new name from the date and time and is created only
// where nothing of that name exists, so no file is ever overwritten.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "console/transfer/TextCodec.h"
#include "trust/SafeFolder.h"

namespace vantrel {

struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// What a backup file needs besides its folder: the time, and a file made
// only where nothing of its name exists.
class BackupFileSystem {
 public:
  virtual ~BackupFileSystem() = default;
  // GetLocalTime.
  virtual LocalTime Now() = 0;
  // CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL |
  // FILE_FLAG_OPEN_REPARSE_POINT, nullptr) and WriteFile of every byte: 0;
  // 80 when anything of that name exists (nothing is written); or the
  // error, with a file begun deleted again.
  virtual std::uint32_t WriteNewFile(const std::u16string& path, const std::vector<std::uint8_t>& bytes) = 0;
};

inline constexpr std::uint32_t kErrorFileExists = 80;

// "Vantrel 2026-12-10 153012.reg"; from the second attempt on, the same
// with " (2)", " (3)" ... before ".reg".
std::u16string BackupFileName(const LocalTime& time, int attempt);

// Writes bytes to a new file in the backup folder and gives its path.
// Throws std::runtime_error saying why when the folder cannot be made or
// trusted, or the file cannot be written.
std::string WriteBackupFile(kit::trust::FolderPlatform& folders, BackupFileSystem& files, TextCodec& codec,
                            const std::vector<std::uint8_t>& bytes);

}  // namespace vantrel
