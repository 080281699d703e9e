#include "tests/fakes/wizard/FakeProcesses.h"

#include <algorithm>

#include "tests/fakes/wizard/FakeHelpers.h"
#include "tests/fakes/wizard/FakeText.h"

namespace kit::fakes {

using namespace quispor::platform;

namespace {

bool EndsWithNoCase(const std::u16string& text, std::u16string_view end) {
  return text.size() >= end.size() && EqualsNoCase(std::u16string_view(text).substr(text.size() - end.size()), end);
}

}  // namespace

uint32_t FakeProcesses::CreateProcessW(const char16_t* applicationName, char16_t* commandLine,
                                       const void* processAttributes, const void* threadAttributes,
                                       bool inheritHandles, uint32_t creationFlags, const void* environment,
                                       const char16_t* currentDirectory, const StartupInfoW* startupInfo,
                                       ProcessInformation* processInformation) {
  FakeProcessStart start;
  start.applicationName = applicationName ? applicationName : u"";
  start.commandLine = commandLine ? commandLine : u"";
  start.processAttributes = processAttributes != nullptr;
  start.threadAttributes = threadAttributes != nullptr;
  start.inheritHandles = inheritHandles;
  start.creationFlags = creationFlags;
  start.environment = environment != nullptr;
  if (currentDirectory != nullptr) {
    start.currentDirectory = std::u16string(currentDirectory);
  }
  if (startupInfo != nullptr) {
    start.startup = *startupInfo;
  }
  calls.push_back("CreateProcessW(" + Quote(applicationName) + ", " + Quote(commandLine) + ")");
  *processInformation = ProcessInformation{};
  bool exists = false;
  for (const std::u16string& program : programs) {
    exists = exists || (applicationName != nullptr && EqualsNoCase(program, applicationName));
  }
  if (!exists) {
    starts.push_back(start);
    return kErrorFileNotFound;
  }
  start.started = true;
  if (EndsWithNoCase(start.applicationName, u"\\cmd.exe")) {
    start.ran = WhatCmdRuns(start.commandLine, start.currentDirectory.value_or(this->currentDirectory));
  }
  starts.push_back(start);
  processInformation->hProcess = next_;
  processInformation->hThread = next_ + 4;
  processInformation->dwProcessId = nextId_;
  processInformation->dwThreadId = nextId_ + 4;
  handles_[next_] = true;
  handles_[next_ + 4] = false;
  next_ += 8;
  nextId_ += 8;
  if (onStart) {
    onStart(start.commandLine);
  }
  processes_[processInformation->hProcess] = Process{exitCode, false};
  return 0;
}

bool FakeProcesses::Exists(const std::u16string& path) const {
  for (const std::u16string& program : programs) {
    if (EqualsNoCase(program, path)) {
      return true;
    }
  }
  return false;
}

std::vector<std::u16string> FakeProcesses::WhatCmdRuns(const std::u16string& commandLine,
                                                       const std::u16string& folder) const {
  std::vector<std::u16string> ran;
  std::u16string upper;
  for (char16_t c : commandLine) {
    upper += (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
  }
  const std::size_t c = upper.find(u"/C ");
  if (c == std::u16string::npos) {
    return ran;
  }
  if (!autoRun.empty() && upper.substr(0, c).find(u"/D") == std::u16string::npos) {
    ran.push_back(autoRun);
  }
  std::u16string command = commandLine.substr(c + 3);
  std::u16string program;
  if (!command.empty() && command[0] == u'"') {
    const std::size_t close = command.find(u'"', 1);
    program = command.substr(1, close == std::u16string::npos ? std::u16string::npos : close - 1);
  } else {
    program = command.substr(0, command.find(u' '));
  }
  if (program.find(u'.') == std::u16string::npos) {
    program += u".exe";
  }
  std::vector<std::u16string> candidates;
  if (program.find(u'\\') != std::u16string::npos) {
    candidates = {program};
  } else {
    candidates = {folder + u"\\" + program, systemDirectory + u"\\" + program};
  }
  for (const std::u16string& candidate : candidates) {
    if (Exists(candidate)) {
      ran.push_back(candidate);
      break;
    }
  }
  return ran;
}

uint32_t FakeProcesses::WaitForSingleObject(KernelHandle handle, uint32_t milliseconds) {
  calls.push_back("WaitForSingleObject(" + std::string(handles_.count(handle) && handles_[handle] ? "process" : "?") +
                  ", " + (milliseconds == kInfinite ? std::string("INFINITE") : std::to_string(milliseconds)) + ")");
  if (handles_.count(handle) == 0) {
    return kWaitFailed;
  }
  if (const auto it = processes_.find(handle); it != processes_.end()) {
    it->second.ended = true;
  }
  return kWaitObject0;
}

uint32_t FakeProcesses::GetExitCodeProcess(KernelHandle process, uint32_t* exitCode) {
  calls.push_back("GetExitCodeProcess(" + std::string(handles_.count(process) && handles_[process] ? "process" : "?") +
                  ")");
  const auto it = processes_.find(process);
  if (it == processes_.end() || handles_.count(process) == 0) {
    return kErrorInvalidHandle;
  }
  *exitCode = it->second.ended ? it->second.exitCode : kStillActive;
  return 0;
}

uint32_t FakeProcesses::FormatMessageW(uint32_t flags, uint32_t messageId, uint32_t languageId, char16_t* buffer,
                                       uint32_t size) {
  calls.push_back("FormatMessageW(flags=" + detail::HexText(flags) + ", " + std::to_string(messageId) +
                  ", language=" + std::to_string(languageId) + ")");
  static const std::map<uint32_t, std::u16string> kTexts = {
      {0, u"The operation completed successfully.\r\n"},
      {2, u"The system cannot find the file specified.\r\n"},
      {5, u"Access is denied.\r\n"},
      {87, u"The parameter is incorrect.\r\n"},
      {1627, u"Function failed during execution.\r\n"},
      {3010, u"The requested operation is successful. Changes will not be effective until the system is "
             u"rebooted.\r\n"},
  };
  const auto it = kTexts.find(messageId);
  if ((flags & kFormatMessageFromSystem) == 0 || it == kTexts.end() || buffer == nullptr ||
      it->second.size() >= size) {
    return 0;
  }
  std::copy(it->second.begin(), it->second.end(), buffer);
  buffer[it->second.size()] = u'\0';
  return static_cast<uint32_t>(it->second.size());
}

uint32_t FakeProcesses::CloseHandle(KernelHandle handle) {
  const auto it = handles_.find(handle);
  calls.push_back("CloseHandle(" + std::string(it == handles_.end() ? "?" : it->second ? "process" : "thread") + ")");
  if (it == handles_.end()) {
    return kErrorInvalidHandle;
  }
  handles_.erase(it);
  processes_.erase(handle);
  return 0;
}

}  // namespace kit::fakes
