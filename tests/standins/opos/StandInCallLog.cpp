#include "tests/standins/opos/StandInCallLog.h"

#include <windows.h>

#include <sstream>

namespace kit::standins {

std::vector<std::string> ReadCallLog(const std::wstring& path) {
  std::vector<std::string> lines;
  // A stand-in may be appending to it at the same moment.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines;
  std::string data;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) data.append(buffer, got);
  CloseHandle(file);
  std::istringstream in(data);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> ControlAndService(std::initializer_list<std::string> calls) {
  std::vector<std::string> lines;
  for (const std::string& call : calls) {
    lines.push_back("CO " + call);
    lines.push_back("SO " + call);
  }
  return lines;
}

}  // namespace kit::standins
