// The wizard's spooler scans and TCP/IP port search over large fakes, each
// against the bare enumeration it rests on (the baseline, same run). The
// fakes record every call; the records are dropped after each iteration in
// both the operation and its baseline.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeWizardRegistry.h"
#include "wizard/engine/PrinterScan.h"
#include "wizard/engine/platform/SpoolerBuffer.h"
#include "wizard/engine/tcpip/TcpIpPorts.h"

namespace {

std::u16string Number(int i) {
  const std::string t = std::to_string(i);
  return std::u16string(t.begin(), t.end());
}

// N printers, one in ten on a catalogue driver; N / 10 drivers.
kit::fakes::FakeSpooler& Spooler(int printers) {
  static std::map<int, kit::fakes::FakeSpooler> built;
  auto [it, fresh] = built.try_emplace(printers);
  if (fresh) {
    for (int i = 0; i < printers; ++i) {
      kit::fakes::FakePrinter p;
      p.name = u"Printer " + Number(i);
      p.driver = i % 10 == 0 ? u"VEXO_80" : u"Generic " + Number(i % 97);
      it->second.printers.push_back(p);
    }
    for (int i = 0; i < printers / 10; ++i) it->second.drivers.push_back({u"Driver " + Number(i)});
  }
  it->second.calls.clear();
  return it->second;
}

void BM_ScanInstalledPrinters(benchmark::State& state) {
  auto& spooler = Spooler(static_cast<int>(state.range(0)));
  quispor::InstalledPrinterList list;
  for (auto _ : state) {
    quispor::ScanInstalledPrinters(spooler, quispor::ModelCatalogue, quispor::modelCount, list);
    benchmark::DoNotOptimize(list.count);
    spooler.calls.clear();
  }
}

void BM_ScanInstalledPrinters_Baseline(benchmark::State& state) {
  auto& spooler = Spooler(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    uint32_t needed = 0, returned = 0;
    spooler.EnumPrintersW(6, u"", 2, nullptr, 0, &needed, &returned);
    quispor::platform::SpoolerBuffer buffer(needed);
    spooler.EnumPrintersW(6, u"", 2, buffer.data(), buffer.size(), &needed, &returned);
    benchmark::DoNotOptimize(buffer.data());
    spooler.calls.clear();
  }
}

// IsDriverInstalled over N / 10 drivers (10, 100, 1,000), none of them ours.
void BM_IsDriverInstalled(benchmark::State& state) {
  auto& spooler = Spooler(static_cast<int>(state.range(0)) * 10);
  for (auto _ : state) {
    benchmark::DoNotOptimize(quispor::IsDriverInstalled(spooler, u"VEXO_80"));
    spooler.calls.clear();
  }
}

void BM_IsDriverInstalled_Baseline(benchmark::State& state) {
  auto& spooler = Spooler(static_cast<int>(state.range(0)) * 10);
  for (auto _ : state) {
    uint32_t needed = 0, returned = 0;
    spooler.EnumPrinterDriversW(nullptr, nullptr, 1, nullptr, 0, &needed, &returned);
    quispor::platform::SpoolerBuffer buffer(needed);
    spooler.EnumPrinterDriversW(nullptr, nullptr, 1, buffer.data(), buffer.size(), &needed, &returned);
    benchmark::DoNotOptimize(buffer.data());
    spooler.calls.clear();
  }
}

const std::u16string kPorts = u"SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports";

// N Standard TCP/IP ports; the one looked for is the last in registry order.
kit::fakes::FakeWizardRegistry& Registry(int ports) {
  static std::map<int, kit::fakes::FakeWizardRegistry> built;
  auto [it, fresh] = built.try_emplace(ports);
  if (fresh) {
    for (int i = 0; i < ports; ++i) {
      const std::u16string key = u"HKLM\\" + kPorts + u"\\IP_10.0." + Number(100000 + i);
      it->second.store.PutString(key, u"HostName", u"");
      it->second.store.PutString(key, u"IPAddress", u"10.0." + Number(100000 + i));
      it->second.store.PutDword(key, u"PortNumber", 9100);
    }
  }
  it->second.calls.clear();
  return it->second;
}

void BM_FindTcpIpPort(benchmark::State& state) {
  const int ports = static_cast<int>(state.range(0));
  auto& registry = Registry(ports);
  const std::u16string address = u"10.0." + Number(100000 + ports - 1);
  for (auto _ : state) {
    char16_t name[260] = {};
    quispor::FindTcpIpPort(registry, address.c_str(), 9100, name);
    if (name[0] == 0) state.SkipWithError("port not found");
    registry.calls.clear();
  }
}

// The floor: open the ports key and enumerate its subkey names once.
void BM_FindTcpIpPort_Baseline(benchmark::State& state) {
  auto& registry = Registry(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    quispor::platform::RegHandle key = 0;
    registry.RegCreateKeyExW(quispor::platform::kHkeyLocalMachine, kPorts.c_str(), 0, nullptr, 0,
                             quispor::platform::kKeyAllAccess, nullptr, &key, nullptr);
    for (uint32_t i = 0;; ++i) {
      char16_t name[260];
      uint32_t length = 260;
      if (registry.RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != 0) break;
      benchmark::DoNotOptimize(name);
    }
    registry.RegCloseKey(key);
    registry.calls.clear();
  }
}

}  // namespace

BENCHMARK(BM_ScanInstalledPrinters)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScanInstalledPrinters_Baseline)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IsDriverInstalled)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IsDriverInstalled_Baseline)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindTcpIpPort)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindTcpIpPort_Baseline)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
