#include "wizard/unattended/RunLog.h"

#include <cstdio>
#include <vector>

namespace quispor::unattended {
namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string Utf8Of(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      AppendUtf8(out, 0xFFFD);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

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
