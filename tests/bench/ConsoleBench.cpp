// The console's device tree refresh and device load over an indexed
// registry of 100, 1,000 and 10,000 devices, each against the bare registry
// walk it cannot do without; the export of that many devices and the reading
// of the exported file against the floors of ProfileFileFloors.h (the
// baselines, measured in the same run).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <optional>
#include <string>

#include "console/editor/MainView.h"
#include "console/editor/MainWindowLogic.h"
#include "console/store/DeviceStore.h"
#include "console/transfer/ProfileTransfer.h"
#include "console/transfer/RegFile.h"
#include "tests/bench/IndexedConsoleRegistry.h"
#include "tests/bench/ProfileFileFloors.h"
#include "tests/console/transfer/TransferTestSupport.h"

namespace {

// glibc hands blocks above a threshold to mmap and raises that threshold
// when such a block is freed, so whether a buffer of megabytes comes with
// fresh pages (and their faults) depended on which benchmark ran before: the
// same file read took 7 or 25 ms at 10,000 devices. Freed memory stays in
// the process instead, and every run reuses the same pages.
const bool kSteadyHeap = [] {
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  return true;
}();

const std::string kClassKey = "SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER";

// A window that only counts what it is asked to show.
class CountingView : public vantrel::MainView {
 public:
  int nodes = 0;
  void ClearTree() override { nodes = 0; }
  vantrel::TreeNodeId AddTreeNode(vantrel::TreeNodeId, const std::string&) override { return ++nodes; }
  void ExpandTreeNode(vantrel::TreeNodeId) override {}
  void RemoveTreeNode(vantrel::TreeNodeId) override {}
  void SetTreeMenuAttached(bool) override {}
  std::string FieldText(vantrel::EditorField) const override { return {}; }
  void SetFieldText(vantrel::EditorField, const std::string&) override {}
  int ConnIndex() const override { return 0; }
  void SetConnIndex(int) override {}
  void ShowPages(const vantrel::PageState&) override {}
  int UsbItemCount() const override { return 0; }
  void AddUsbItem(const std::string&) override {}
  void ClearUsbItems() override {}
  void ChooseUsbItem(int) override {}
  int ShowMessageBox(const std::string&, const std::string&, std::uint32_t) override { return 1; }
  void PostMessageBox(const std::string&, const std::string&, std::uint32_t) override {}
  std::optional<std::string> ChooseProfileFile(vantrel::FileChoice, const std::string&) override { return {}; }
  void SetBusy(bool) override {}
};

// N device profiles, each with an alternate name on the class key.
kit::bench::IndexedConsoleRegistry& Registry(int devices) {
  static std::map<int, kit::bench::IndexedConsoleRegistry> built;
  auto [it, fresh] = built.try_emplace(devices);
  if (fresh) {
    for (int i = 0; i < devices; ++i) {
      const std::string name = "Device " + std::to_string(100000 + i);
      const std::string key = kClassKey + "\\" + name;
      it->second.PutString(key, "", "SOZELTANO.OPOSPrinter");
      it->second.PutString(key, "Pid", "P");
      it->second.PutString(key, "DeviceClass", "POSPrinter");
      it->second.PutString(key, "DeviceName", name);
      it->second.PutString(key, "DevType", "");
      it->second.PutDword(key, "ProtocolType", 1);
      it->second.PutDword(key, "Timeout", 1000);
      it->second.PutString(key, "Version", "1.13");
      it->second.PutString(key, "TcpIp", "10.0.0.7");
      it->second.PutDword(key, "TcpPort", 9100);
      it->second.PutString(kClassKey, "Alias " + std::to_string(i), name);
    }
    it->second.Pack();
  }
  return it->second;
}

void BM_DeviceTreeRefresh(benchmark::State& state) {
  auto& registry = Registry(static_cast<int>(state.range(0)));
  CountingView view;
  vantrel::MainWindowLogic logic(view, registry, "Vantrel");
  for (auto _ : state) {
    logic.RefreshDeviceTree();
    benchmark::DoNotOptimize(view.nodes);
  }
}

// The floor: open the class key and enumerate its subkey names once.
void BM_DeviceTreeRefresh_Baseline(benchmark::State& state) {
  auto& registry = Registry(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    vantrel::RegKey key = 0;
    registry.OpenKeyEx(vantrel::kHkeyLocalMachine, kClassKey.c_str(), 0, vantrel::kKeyAllAccess, &key);
    char name[256];
    int count = 0;
    for (std::uint32_t i = 0;; ++i) {
      std::uint32_t length = sizeof name;
      if (registry.EnumKeyEx(key, i, name, &length) != 0) break;
      benchmark::DoNotOptimize(std::string(name, length));
      ++count;
    }
    registry.CloseKey(key);
    benchmark::DoNotOptimize(count);
  }
}

// Loading the device whose alternate name is the last one on the class key.
void BM_DeviceLoad(benchmark::State& state) {
  const int devices = static_cast<int>(state.range(0));
  auto& registry = Registry(devices);
  const std::string name = "Device " + std::to_string(100000 + devices - 1);
  vantrel::DeviceEntry entry;
  for (auto _ : state) {
    if (!vantrel::LoadDeviceEntry(registry, name, entry)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(entry.AlternateName);
  }
}

// The floor: read every alternate name and its data once.
void BM_DeviceLoad_Baseline(benchmark::State& state) {
  auto& registry = Registry(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    vantrel::RegKey key = 0;
    registry.OpenKeyEx(vantrel::kHkeyLocalMachine, kClassKey.c_str(), 0, vantrel::kKeyAllAccess, &key);
    char name[256];
    unsigned char data[256];
    for (std::uint32_t i = 0;; ++i) {
      std::uint32_t length = sizeof name;
      std::uint32_t size = sizeof data;
      std::uint32_t type = 0;
      if (registry.EnumValue(key, i, name, &length, nullptr, nullptr, nullptr) != 0) break;
      registry.QueryValueEx(key, name, &type, data, &size);
      benchmark::DoNotOptimize(data);
    }
    registry.CloseKey(key);
  }
}

// What ExportProfiles writes to the file.
std::vector<std::uint8_t> Export(vantrel::RegistryApi& registry) {
  vantrel::test::Latin1Codec codec;
  return vantrel::WriteProfileFile(vantrel::CollectProfiles(registry, "POSPrinter", std::nullopt), codec);
}

// An exported file of every device, as an import reads it.
const std::vector<std::uint8_t>& ExportedFile(int devices) {
  static std::map<int, std::vector<std::uint8_t>> built;
  auto [it, fresh] = built.try_emplace(devices);
  if (fresh) {
    it->second = Export(Registry(devices));
  }
  return it->second;
}

// What ImportProfiles reads from the file.
void BM_ProfileFileRead(benchmark::State& state) {
  const auto& file = ExportedFile(static_cast<int>(state.range(0)));
  vantrel::test::Latin1Codec codec;
  for (auto _ : state) {
    const vantrel::ProfileSet profiles = vantrel::ReadProfileFile(file, codec);
    benchmark::DoNotOptimize(profiles.devices.size());
  }
}

// The floor: decode the UTF-16 text, split it into lines and each value
// line into its name and its data.
void BM_ProfileFileRead_Baseline(benchmark::State& state) {
  const auto& file = ExportedFile(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(kit::bench::ReadFloor(file));
}

void BM_ProfileExport(benchmark::State& state) {
  auto& registry = Registry(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(Export(registry));
}

// The floor: read the same values and write the same bytes into memory.
void BM_ProfileExport_Baseline(benchmark::State& state) {
  auto& registry = Registry(static_cast<int>(state.range(0)));
  if (kit::bench::ExportFloor(registry) != Export(registry)) {
    state.SkipWithError("the floor does not write the export's bytes");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(kit::bench::ExportFloor(registry));
}

}  // namespace

BENCHMARK(BM_ProfileExport)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProfileExport_Baseline)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProfileFileRead)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProfileFileRead_Baseline)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeviceTreeRefresh)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeviceTreeRefresh_Baseline)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeviceLoad)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeviceLoad_Baseline)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
