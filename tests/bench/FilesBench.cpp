// The wizard's work on real files: the driver-store INF search over 20, 200
// and 2,000 INF files of 2 to 200 KB against reading the same files once
// with plain fread (the physical floor), and WriteDebugLog over 100, 1,000
// and 10,000 lines against a plain open-append-close loop. Files live under
// a temporary folder that stands for drive C.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/bench/HostPlatform.h"
#include "tests/fakes/wizard/FakeDeviceSetup.h"
#include "tests/fakes/wizard/FakeProcesses.h"
#include "tests/fakes/wizard/FakeServiceManager.h"
#include "tests/fakes/wizard/FakeSpooler.h"
#include "wizard/engine/DebugLog.h"
#include "wizard/removal/PackageCleanup.h"

namespace {

namespace fs = std::filesystem;

const std::string& Scratch() {
  static const std::string root = [] {
    std::string pattern = (fs::temp_directory_path() / "kit-bench-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    if (made == nullptr) std::abort();
    std::atexit([] { fs::remove_all(Scratch()); });
    return std::string(made);
  }();
  return root;
}

// A drive holding count INF files, none naming a model's data file.
std::string InfDrive(int count) {
  static std::map<int, std::string> built;
  auto [it, fresh] = built.try_emplace(count);
  if (fresh) {
    it->second = Scratch() + "/inf" + std::to_string(count);
    const std::string folder = it->second + "/Windows/inf";
    fs::create_directories(folder);
    std::string line = "[Strings]\r\nDisk=\"Vendor driver disk\"\r\nFile=vendor_data_0000.dat\r\n";
    for (int i = 0; i < count; ++i) {
      const std::size_t size = (2 + static_cast<std::size_t>(i) * 97 % 199) * 1024;
      std::string content;
      while (content.size() < size) content += line;
      content.resize(size);
      FILE* f = std::fopen((folder + "/oem" + std::to_string(i) + ".inf").c_str(), "wb");
      std::fwrite(content.data(), 1, content.size(), f);
      std::fclose(f);
    }
  }
  return it->second;
}

void BM_InfSearch(benchmark::State& state) {
  const std::string drive = InfDrive(static_cast<int>(state.range(0)));
  kit::bench::HostCrtFiles files(drive);
  kit::bench::HostFileSearch search(drive);
  kit::bench::HostCodePage codePage;
  kit::fakes::FakeSpooler spooler;
  kit::fakes::FakeServiceManager services;
  kit::fakes::FakeProcesses processes;
  kit::fakes::FakeDeviceSetup devices;
  quispor::removal::RemovalServices removal{spooler, services, search, files, codePage, processes, devices};
  for (auto _ : state) {
    char16_t package[quispor::removal::kPackageNameCapacity] = {};
    if (quispor::removal::GetMyOemInfFile(removal, package, 2) != 0) state.SkipWithError("unexpected match");
  }
}

// The floor: list the folder and read every file once, whole, with fread.
void BM_InfSearch_Baseline(benchmark::State& state) {
  const std::string folder = InfDrive(static_cast<int>(state.range(0))) + "/Windows/inf";
  std::vector<char> buffer;
  for (auto _ : state) {
    DIR* dir = opendir(folder.c_str());
    while (const dirent* entry = readdir(dir)) {
      if (entry->d_name[0] == '.') continue;
      FILE* f = std::fopen((folder + "/" + entry->d_name).c_str(), "rb");
      std::fseek(f, 0, SEEK_END);
      buffer.resize(static_cast<std::size_t>(std::ftell(f)));
      std::fseek(f, 0, SEEK_SET);
      benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), f));
      std::fclose(f);
    }
    closedir(dir);
  }
}

const char16_t kLine[] = u"EnumDeviceUSBPort:subPath=SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad}\r\n";

std::string LogDrive() {
  const std::string drive = Scratch() + "/log";
  fs::create_directories(drive);
  FILE* flag = std::fopen((drive + "/Nimbel_Driver_Debug_Flag.txt").c_str(), "wb");
  std::fclose(flag);
  return drive;
}

void BM_WriteDebugLog(benchmark::State& state) {
  const std::string drive = LogDrive();
  kit::bench::HostCrtFiles files(drive);
  kit::bench::HostCodePage codePage;
  const int lines = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int i = 0; i < lines; ++i) quispor::WriteDebugLog(codePage, files, kLine);
    state.PauseTiming();
    fs::remove(drive + "/My_Debug_Driver_Log.txt");
    state.ResumeTiming();
  }
}

// The floor: open for append, write the line, close, once per line.
void BM_WriteDebugLog_Baseline(benchmark::State& state) {
  const std::string path = LogDrive() + "/My_Debug_Driver_Log.txt";
  std::string narrow;
  for (const char16_t* c = kLine; *c != 0; ++c) narrow += static_cast<char>(*c);
  const int lines = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int i = 0; i < lines; ++i) {
      FILE* f = std::fopen(path.c_str(), "a");
      std::fwrite(narrow.data(), 1, narrow.size(), f);
      std::fwrite("\n", 1, 1, f);
      std::fclose(f);
    }
    state.PauseTiming();
    fs::remove(path);
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(BM_InfSearch)->Arg(20)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InfSearch_Baseline)->Arg(20)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDebugLog)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDebugLog_Baseline)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
