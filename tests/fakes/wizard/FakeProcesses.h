// A process launcher that records every start (application path, command
// line, start-up fields, inheritance, flags, environment, folder) and runs
// nothing. A start fails with 2 (file not found) unless the application path
// is one of the programs that exist (compared without case); an optional
// action stands for what the child does. Handles are tracked so a test sees
// them closed; the wait is recorded.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "wizard/engine/platform/Processes.h"

namespace kit::fakes {

struct FakeProcessStart {
  std::u16string applicationName;
  std::u16string commandLine;
  bool processAttributes = false;
  bool threadAttributes = false;
  bool inheritHandles = false;
  uint32_t creationFlags = 0;
  bool environment = false;
  bool currentDirectory = false;
  quispor::platform::StartupInfoW startup{};
  bool started = false;
};

class FakeProcesses : public quispor::platform::Processes {
 public:
  static constexpr uint32_t kErrorFileNotFound = 2;
  static constexpr uint32_t kErrorInvalidHandle = 6;

  std::vector<std::u16string> programs = {u"C:\\Windows\\system32\\cmd.exe"};
  // Run for every start that succeeds, with its command line.
  std::function<void(const std::u16string& commandLine)> onStart;
  std::vector<FakeProcessStart> starts;
  std::vector<std::string> calls;

  std::size_t OpenHandles() const { return handles_.size(); }

  uint32_t CreateProcessW(const char16_t* applicationName, char16_t* commandLine, const void* processAttributes,
                          const void* threadAttributes, bool inheritHandles, uint32_t creationFlags,
                          const void* environment, const char16_t* currentDirectory,
                          const quispor::platform::StartupInfoW* startupInfo,
                          quispor::platform::ProcessInformation* processInformation) override;
  uint32_t WaitForSingleObject(quispor::platform::KernelHandle handle, uint32_t milliseconds) override;
  uint32_t CloseHandle(quispor::platform::KernelHandle handle) override;

 private:
  std::map<quispor::platform::KernelHandle, bool> handles_;  // true: a process
  quispor::platform::KernelHandle next_ = 0x3000;
  uint32_t nextId_ = 100;
};

}  // namespace kit::fakes
