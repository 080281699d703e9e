#include "wizard/unattended/RunLog.h"

#include <cstdio>
#include <vector>

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

std::u16string DefaultLogPath(RunFiles& files, RunSession& session, uint32_t* error) {
  *error = 0;
  std::vector<char16_t> value(260, u'\0');
  uint32_t length = session.GetEnvironmentVariableW(u"ProgramData", value.data(), static_cast<uint32_t>(value.size()));
  if (length >= value.size()) {
    value.assign(length, u'\0');
    length = session.GetEnvironmentVariableW(u"ProgramData", value.data(), static_cast<uint32_t>(value.size()));
  }
  if (length == 0 || length >= value.size()) {
    *error = kErrorEnvvarNotFound;
    return {};
  }
  const std::u16string folder = std::u16string(value.data(), length) + u"\\Quispor";
  const uint32_t made = files.CreateDirectoryW(folder.c_str());
  if (made != 0 && made != kErrorAlreadyExists) {
    *error = made;
    return {};
  }
  return folder + u"\\Quispor.log";
}

uint32_t RunLog::Write(std::u16string_view text) {
  SystemTime now{};
  session_.GetLocalTime(&now);
  const std::string line = LogLine(now, text);
  OpenFile file;
  const uint32_t opened =
      files_.CreateFileW(path_.c_str(), kFileAppendData, kFileShareRead | kFileShareWrite, kOpenAlways, file.put(files_));
  if (opened != 0) {
    return opened;
  }
  uint32_t written = 0;
  const uint32_t error = files_.WriteFile(file.get(), line.data(), static_cast<uint32_t>(line.size()), &written);
  return error;
}

}  // namespace quispor::unattended
