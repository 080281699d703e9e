#include "wizard/unattended/RunLog.h"

#include <cstdio>

namespace quispor::unattended {

std::string LogLine(const SystemTime& time, std::u16string_view text) {
  char stamp[64] = {};
  std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u ", time.wYear, time.wMonth, time.wDay,
                time.wHour, time.wMinute, time.wSecond);
  std::u16string flat(text);
  for (char16_t& c : flat) {
    if (c < 0x20 || c == 0x7F) {
      c = u' ';
    }
  }
  return stamp + Utf8Of(flat) + "\r\n";
}

uint32_t RunLog::Write(std::u16string_view text) {
  SystemTime now{};
  session_.GetLocalTime(&now);
  const std::string line = LogLine(now, text);
  OpenFile file;
  const FileOutcome opened =
      OpenUnlinked(files_, path_, kFileAppendData, kFileShareRead | kFileShareWrite, false, file);
  linkFound_ = opened.link;
  if (opened.error != 0) {
    return opened.error;
  }
  uint32_t written = 0;
  const uint32_t error = files_.WriteFile(file.get(), line.data(), static_cast<uint32_t>(line.size()), &written);
  return error;
}

}  // namespace quispor::unattended
