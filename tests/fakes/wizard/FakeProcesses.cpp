#include "tests/fakes/wizard/FakeProcesses.h"

#include "tests/fakes/wizard/FakeText.h"

namespace kit::fakes {

using namespace quispor::platform;

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
  start.currentDirectory = currentDirectory != nullptr;
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
  return 0;
}

uint32_t FakeProcesses::WaitForSingleObject(KernelHandle handle, uint32_t milliseconds) {
  calls.push_back("WaitForSingleObject(" + std::string(handles_.count(handle) && handles_[handle] ? "process" : "?") +
                  ", " + (milliseconds == kInfinite ? std::string("INFINITE") : std::to_string(milliseconds)) + ")");
  return handles_.count(handle) != 0 ? kWaitObject0 : kWaitFailed;
}

uint32_t FakeProcesses::CloseHandle(KernelHandle handle) {
  const auto it = handles_.find(handle);
  calls.push_back("CloseHandle(" + std::string(it == handles_.end() ? "?" : it->second ? "process" : "thread") + ")");
  if (it == handles_.end()) {
    return kErrorInvalidHandle;
  }
  handles_.erase(it);
  return 0;
}

}  // namespace kit::fakes
