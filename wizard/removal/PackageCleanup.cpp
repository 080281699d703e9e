#include "wizard/removal/PackageCleanup.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "wizard/engine/WideText.h"
#include "wizard/removal/InfSearch.h"
#include "wizard/removal/LogText.h"

namespace quispor::removal {
namespace {

constexpr uint32_t kPathCapacity = 260;
constexpr std::size_t kCommandLineCapacity = 520;
constexpr uint32_t kErrorFunctionFailed = 1627;  // ERROR_FUNCTION_FAILED

// The system directory (for example C:\Windows\system32), or empty when it
// cannot be had whole.
std::u16string SystemDirectory(platform::FileSearch& search) {
  char16_t buffer[kPathCapacity] = {};
  const uint32_t length = search.GetSystemDirectoryW(buffer, kPathCapacity);
  if (length == 0 || length >= kPathCapacity) {
    return {};
  }
  return std::u16string(buffer, length);
}

// The system directory cut just before its second backslash, with "\inf":
// C:\Windows\system32 gives C:\Windows\inf.
std::u16string InfFolder(const std::u16string& systemDirectory) {
  const std::size_t first = systemDirectory.find(u'\\');
  const std::size_t second = first == std::u16string::npos ? first : systemDirectory.find(u'\\', first + 1);
  return systemDirectory.substr(0, second) + u"\\inf";
}

// A published package name such as oem12.inf has nothing cmd.exe would read
// as an operator, a quote or a variable.
bool IsPlainFileName(std::u16string_view name) {
  if (name.empty()) {
    return false;
  }
  for (char16_t c : name) {
    const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
                       c == u'.' || c == u'_' || c == u'-';
    if (!plain) {
      return false;
    }
  }
  return true;
}

std::u16string FileName(const platform::FindDataW& data) {
  std::size_t n = 0;
  while (n < std::size(data.cFileName) && data.cFileName[n] != 0) {
    ++n;
  }
  return std::u16string(data.cFileName, n);
}

}  // namespace

int GetMyOemInfFile(RemovalServices& services, char16_t* packageName, int32_t modelIndex) {
  const std::u16string systemDirectory = SystemDirectory(services.fileSearch);
  if (systemDirectory.empty()) {
    return 0;
  }
  const std::u16string folder = InfFolder(systemDirectory);
  const std::u16string pattern = folder + u"\\oem*.inf";
  Log(u"GetMyOemInfFile::searchFileName=" + pattern + u"\r\n");

  platform::FindDataW data{};
  platform::OpenSearch search;
  const uint32_t error = services.fileSearch.FindFirstFileW(pattern.c_str(), &data, search.put(services.fileSearch));
  if (error != 0) {
    Log(u"GetMyOemInfFile::FindFirstFile error=" + DecimalCode(error) + u"\r\n");
    return 0;
  }
  InfReader reader(services.files, services.codePage, modelIndex);
  do {
    const std::u16string name = FileName(data);
    if (IsPlainFileName(name) && name.size() < static_cast<std::size_t>(kPackageNameCapacity)) {
      const std::u16string path = folder + u"\\" + name;
      if (reader.Contains(path.c_str()) == 1) {
        std::copy(name.begin(), name.end(), packageName);
        packageName[name.size()] = u'\0';
        return 1;
      }
    }
    data = platform::FindDataW{};
  } while (services.fileSearch.FindNextFileW(search.get(), &data) == 0);
  return 0;
}

int ExecuteCmdByProcess(platform::Processes& processes, const char16_t* applicationPath, const char16_t* command,
                        const char16_t* currentDirectory) {
  platform::StartupInfoW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = platform::kStartfUseShowWindow;
  startup.wShowWindow = platform::kSwHide;

  const std::u16string line = u"cmd /D /C " + std::u16string(View(command));
  if (line.size() >= kCommandLineCapacity) {
    return 0;  // cut, it would be another command
  }
  char16_t commandLine[kCommandLineCapacity] = {};
  std::copy(line.begin(), line.end(), commandLine);

  platform::ProcessInformation info{};
  if (processes.CreateProcessW(applicationPath, commandLine, nullptr, nullptr, false, 0, nullptr, currentDirectory,
                               &startup, &info) != 0) {
    return 0;
  }
  platform::OwnedKernelHandle process(processes, info.hProcess);
  platform::OwnedKernelHandle thread(processes, info.hThread);
  processes.WaitForSingleObject(process.get(), platform::kInfinite);
  return 1;
}

int DeleteMyInfFile(RemovalServices& services, int32_t modelIndex, SequenceReport* steps) {
  char16_t packageName[kPackageNameCapacity] = {};
  if (GetMyOemInfFile(services, packageName, modelIndex) == 0) {
    Log(u"DeleteMyInfFile:: GetMyOemInfFile Fail\r\n");
    return 0;
  }
  Log(u"DeleteMyInfFile::infPath=" + std::u16string(packageName) + u"\r\n");
  // The wizard runs elevated, often from a download folder or a share: every
  // program it starts is the system's own, named by its full path, and the
  // command runs in the system folder, so that nothing planted in the
  // wizard's folder (a pnputil.exe, a cmd.exe on a C: drive that is not the
  // system's) runs with administrator rights. /D: no AutoRun command either.
  const std::u16string systemDirectory = SystemDirectory(services.fileSearch);
  const std::u16string cmd = systemDirectory + u"\\cmd.exe";
  const std::u16string command =
      u"\"" + systemDirectory + u"\\pnputil.exe\" -f -d " + std::u16string(packageName);
  const auto run = [&] {
    return !systemDirectory.empty() &&
           ExecuteCmdByProcess(services.processes, cmd.c_str(), command.c_str(), systemDirectory.c_str()) == 1;
  };
  const auto step = [&](uint32_t code) {
    if (steps != nullptr) {
      steps->StepDone(SequenceStep::PackageDeleted, packageName, code);
    }
  };
  if (run()) {
    Log(u"DeleteMyInfFile:: ExecuteCmdByProcess Success\r\n");
    step(0);
    return 1;
  }
  Log(u"DeleteMyInfFile:: ExecuteCmdByProcess Fail1\r\n");
  // Once more, with the same program: no other would be safe to run.
  if (run()) {
    step(0);
    return 1;
  }
  Log(u"DeleteMyInfFile:: ExecuteCmdByProcess Fail2\r\n");
  step(kErrorFunctionFailed);
  return 0;
}

}  // namespace quispor::removal
