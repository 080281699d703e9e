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
constexpr uint32_t kMessageCapacity = 512;

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

// Calls found(name) for each oem*.inf of folder with a plain name that the
// reader finds its name in, in search order, until found returns false. 0,
// or the code of FindFirstFileW (2: no oem*.inf at all).
template <typename Found>
uint32_t ForEachModelInf(RemovalServices& services, const std::u16string& folder, InfReader& reader, Found found) {
  platform::FindDataW data{};
  platform::OpenSearch search;
  const std::u16string pattern = folder + u"\\oem*.inf";
  const uint32_t error = services.fileSearch.FindFirstFileW(pattern.c_str(), &data, search.put(services.fileSearch));
  if (error != 0) {
    return error;
  }
  do {
    const std::u16string name = FileName(data);
    if (IsPlainFileName(name) && name.size() < static_cast<std::size_t>(kPackageNameCapacity)) {
      const std::u16string path = folder + u"\\" + name;
      if (reader.Contains(path.c_str()) == 1 && !found(name)) {
        return 0;
      }
    }
    data = platform::FindDataW{};
  } while (services.fileSearch.FindNextFileW(search.get(), &data) == 0);
  return 0;
}

// The system's text for a code, without its line end; empty when it has none.
std::u16string SystemText(platform::Processes& processes, uint32_t code) {
  char16_t text[kMessageCapacity] = {};
  const uint32_t length = processes.FormatMessageW(
      platform::kFormatMessageFromSystem | platform::kFormatMessageIgnoreInserts, code, 0, text, kMessageCapacity);
  std::u16string_view view(text, length < kMessageCapacity ? length : 0);
  while (!view.empty() && (view.back() == u'\r' || view.back() == u'\n' || view.back() == u' ')) {
    view.remove_suffix(1);
  }
  return std::u16string(view);
}

}  // namespace

int GetMyOemInfFile(RemovalServices& services, char16_t* packageName, int32_t modelIndex) {
  const std::u16string systemDirectory = SystemDirectory(services.fileSearch);
  if (systemDirectory.empty()) {
    return 0;
  }
  const std::u16string folder = InfFolder(systemDirectory);
  Log(u"GetMyOemInfFile::searchFileName=" + folder + u"\\oem*.inf\r\n");
  InfReader reader(services.files, services.codePage, modelIndex);
  int result = 0;
  const uint32_t error = ForEachModelInf(services, folder, reader, [&](const std::u16string& name) {
    std::copy(name.begin(), name.end(), packageName);
    packageName[name.size()] = u'\0';
    result = 1;
    return false;
  });
  if (error != 0) {
    Log(u"GetMyOemInfFile::FindFirstFile error=" + DecimalCode(error) + u"\r\n");
  }
  return result;
}

std::vector<std::u16string> FindMakerPackages(RemovalServices& services) {
  std::vector<std::u16string> packages;
  const std::u16string systemDirectory = SystemDirectory(services.fileSearch);
  if (systemDirectory.empty()) {
    return packages;
  }
  InfReader reader(services.files, services.codePage, InfReader::AllModels{});
  const uint32_t error = ForEachModelInf(services, InfFolder(systemDirectory), reader, [&](const std::u16string& name) {
    packages.push_back(name);
    return true;
  });
  if (error != 0 && error != platform::kErrorFileNotFound) {
    Log(u"FindMakerPackages::FindFirstFile error=" + DecimalCode(error) + u"\r\n");
  }
  return packages;
}

int ExecuteCmdByProcess(platform::Processes& processes, const char16_t* applicationPath, const char16_t* command,
                        const char16_t* currentDirectory, uint32_t* exitCode) {
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
  if (exitCode != nullptr) {
    uint32_t code = 0;
    const uint32_t error = processes.GetExitCodeProcess(process.get(), &code);
    *exitCode = error != 0 ? error : code;
  }
  return 1;
}

uint32_t DeleteDriverPackage(RemovalServices& services, const char16_t* packageName, SequenceReport* steps) {
  const std::u16string package(View(packageName));
  Log(u"DeleteMyInfFile::infPath=" + package + u"\r\n");
  // The wizard runs elevated, often from a download folder or a share: every
  // program it starts is the system's own, named by its full path, and the
  // command runs in the system folder, so that nothing planted in the
  // wizard's folder (a pnputil.exe, a cmd.exe on a C: drive that is not the
  // system's) runs with administrator rights. /D: no AutoRun command either.
  const std::u16string systemDirectory = SystemDirectory(services.fileSearch);
  const std::u16string cmd = systemDirectory + u"\\cmd.exe";
  const std::u16string command = u"\"" + systemDirectory + u"\\pnputil.exe\" -f -d " + package;
  uint32_t exitCode = 0;
  const auto run = [&] {
    return !systemDirectory.empty() && IsPlainFileName(package) &&
           ExecuteCmdByProcess(services.processes, cmd.c_str(), command.c_str(), systemDirectory.c_str(),
                               &exitCode) == 1;
  };
  const auto step = [&](uint32_t code) {
    if (steps != nullptr) {
      steps->StepDone(SequenceStep::PackageDeleted, package, code);
    }
    return code;
  };
  bool ran = run();
  if (ran) {
    Log(u"DeleteMyInfFile:: ExecuteCmdByProcess Success\r\n");
  } else {
    Log(u"DeleteMyInfFile:: ExecuteCmdByProcess Fail1\r\n");
    // Once more, with the same program: no other would be safe to run.
    ran = run();
  }
  if (!ran) {
    Log(u"DeleteMyInfFile:: ExecuteCmdByProcess Fail2\r\n");
    return step(kErrorFunctionFailed);
  }
  // cmd /C ends with the exit code of the program it ran: pnputil's own.
  const std::u16string text = SystemText(services.processes, exitCode);
  const std::u16string explained = text.empty() ? std::u16string() : u" (" + text + u")";
  Log(u"DeleteMyInfFile:: pnputil exit code=" + DecimalCode(exitCode) + explained + u"\r\n");
  if (steps != nullptr) {
    steps->Note(u"pnputil deleting " + package + u" exited with " + Decimal(exitCode) + explained);
  }
  return step(exitCode);
}

uint32_t DeleteMyInfFile(RemovalServices& services, int32_t modelIndex, SequenceReport* steps, std::u16string* found) {
  char16_t packageName[kPackageNameCapacity] = {};
  if (GetMyOemInfFile(services, packageName, modelIndex) == 0) {
    Log(u"DeleteMyInfFile:: GetMyOemInfFile Fail\r\n");
    return 0;
  }
  if (found != nullptr) {
    *found = packageName;
  }
  return DeleteDriverPackage(services, packageName, steps);
}

}  // namespace quispor::removal
