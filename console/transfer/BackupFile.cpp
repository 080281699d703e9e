#include "console/transfer/BackupFile.h"

#include <stdexcept>

namespace vantrel {

namespace {

// Enough for any number of imports within one second.
constexpr int kMaxNameAttempts = 100;

std::u16string Digits(int value, std::size_t width) {
  std::u16string text;
  for (unsigned v = static_cast<unsigned>(value < 0 ? 0 : value); v != 0 || text.size() < width; v /= 10) {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + v % 10));
  }
  return text;
}

}  // namespace

std::u16string BackupFileName(const LocalTime& time, int attempt) {
  std::u16string name = u"Vantrel ";
  name += Digits(time.year, 4) + u"-" + Digits(time.month, 2) + u"-" + Digits(time.day, 2) + u" ";
  name += Digits(time.hour, 2) + Digits(time.minute, 2) + Digits(time.second, 2);
  if (attempt > 1) name += u" (" + Digits(attempt, 1) + u")";
  return name + u".reg";
}

std::string WriteBackupFile(kit::trust::FolderPlatform& folders, BackupFileSystem& files, TextCodec& codec,
                            const std::vector<std::uint8_t>& bytes) {
  std::string text;
  const kit::trust::SafeFolder folder = kit::trust::PrepareProgramDataFolder(folders, {u"Vantrel", u"Backups"});
  if (!folder.usable()) {
    codec.Narrow(kit::trust::WhyNotUsable(folder), &text);
    throw std::runtime_error("The backup folder cannot be used: " + text + ".");
  }
  const LocalTime now = files.Now();
  for (int attempt = 1; attempt <= kMaxNameAttempts; ++attempt) {
    const std::u16string path = folder.path + u"\\" + BackupFileName(now, attempt);
    const std::uint32_t error = files.WriteNewFile(path, bytes);
    codec.Narrow(path, &text);
    if (error == 0) return text;
    if (error != kErrorFileExists) {
      throw std::runtime_error("The backup file " + text + " cannot be written (error " + std::to_string(error) + ").");
    }
  }
  throw std::runtime_error("The backup folder " + text.substr(0, text.rfind('\\')) + " has no free file name left.");
}

}  // namespace vantrel
