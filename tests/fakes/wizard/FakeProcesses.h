// A process launcher that records every start (application path, command
// line, start-up fields, inheritance, flags, environment, folder) and runs
// nothing. A start fails with 2 (file not found) unless the application path
// is one of the programs that exist (compared without case); an optional
// action stands for what the child does, and the child ends with exitCode
// (as the action leaves it) once it is waited for: before that its exit code
// reads 259 (STILL_ACTIVE). Handles are tracked so a test sees them closed;
// the wait is recorded. FormatMessageW knows the system's English texts of a
// few codes, each ending in CR LF as Windows' do.
//
// A started cmd.exe is followed as far as which programs it would run: the
// machine's AutoRun command unless "/D" comes before "/C", then the program
// that the command after "/C" names: a quoted or bare path as it is, a bare
// name looked for in the child's current folder first and then in the
// system folder (which stands for the PATH), ".exe" added when it has no
// extension. Only programs that exist run.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
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
  std::optional<std::u16string> currentDirectory;
  quispor::platform::StartupInfoW startup{};
  bool started = false;
  // What a started cmd.exe ran, in order (full paths).
  std::vector<std::u16string> ran;
};

class FakeProcesses : public quispor::platform::Processes {
 public:
  static constexpr uint32_t kErrorFileNotFound = 2;
  static constexpr uint32_t kErrorInvalidHandle = 6;

  std::vector<std::u16string> programs = {u"C:\\Windows\\system32\\cmd.exe",
                                          u"C:\\Windows\\system32\\pnputil.exe"};
  // The starting process's current folder, which a child inherits when it is
  // given none (the wizard's is wherever it was started from).
  std::u16string currentDirectory = u"C:\\Users\\Public\\Downloads";
  std::u16string systemDirectory = u"C:\\Windows\\system32";
  // HKLM\Software\Microsoft\Command Processor\AutoRun; empty: none.
  std::u16string autoRun;
  // Run for every start that succeeds, with its command line.
  std::function<void(const std::u16string& commandLine)> onStart;
  // What a started process exits with (cmd.exe /C: the exit code of the
  // program it ran).
  uint32_t exitCode = 0;
  std::vector<FakeProcessStart> starts;
  std::vector<std::string> calls;

  std::size_t OpenHandles() const { return handles_.size(); }
  bool Exists(const std::u16string& path) const;

  uint32_t CreateProcessW(const char16_t* applicationName, char16_t* commandLine, const void* processAttributes,
                          const void* threadAttributes, bool inheritHandles, uint32_t creationFlags,
                          const void* environment, const char16_t* currentDirectory,
                          const quispor::platform::StartupInfoW* startupInfo,
                          quispor::platform::ProcessInformation* processInformation) override;
  uint32_t WaitForSingleObject(quispor::platform::KernelHandle handle, uint32_t milliseconds) override;
  uint32_t GetExitCodeProcess(quispor::platform::KernelHandle process, uint32_t* exitCode) override;
  uint32_t CloseHandle(quispor::platform::KernelHandle handle) override;
  uint32_t FormatMessageW(uint32_t flags, uint32_t messageId, uint32_t languageId, char16_t* buffer,
                          uint32_t size) override;

 private:
  struct Process {
    uint32_t exitCode = 0;
    bool ended = false;
  };
  std::vector<std::u16string> WhatCmdRuns(const std::u16string& commandLine, const std::u16string& folder) const;

  std::map<quispor::platform::KernelHandle, bool> handles_;  // true: a process
  std::map<quispor::platform::KernelHandle, Process> processes_;
  quispor::platform::KernelHandle next_ = 0x3000;
  uint32_t nextId_ = 100;
};

}  // namespace kit::fakes
