#include "tests/fakes/wizard/FakeSpooler.h"

#include <algorithm>
#include <cstring>

#include "tests/fakes/wizard/FakeHelpers.h"
#include "tests/fakes/wizard/FakeText.h"
#include "wizard/engine/platform/ServiceManager.h"

namespace kit::fakes {
namespace {

using detail::BackPacker;
using detail::EndsBeforeFilling;
using detail::HexText;
using detail::PackPrinterInfo2;
using detail::PrinterInfo2Bytes;
using detail::TakeQueuedFailure;
using detail::TextBytes;

using quispor::platform::DriverInfo1W;
using quispor::platform::PrinterInfo2W;

}  // namespace

bool FakeSpooler::TakeFailure(const std::string& call, uint32_t* error) {
  if (TakeQueuedFailure(failures_, call, error)) {
    return true;
  }
  if (!running) {
    *error = kRpcServerUnavailable;
    return true;
  }
  return false;
}

void FakeSpooler::ServiceStateChanged(uint32_t state) {
  running = state == quispor::platform::kServiceRunning;
  if (state != quispor::platform::kServiceStopped) {
    return;
  }
  heldDrivers.clear();
  printers.erase(std::remove_if(printers.begin(), printers.end(), [](const FakePrinter& p) { return p.pendingDeletion; }),
                 printers.end());
  openHandles.clear();
}

std::u16string FakeSpooler::DirectoryFor(const std::u16string& environment, bool* known) const {
  *known = true;
  if (EqualsNoCase(environment, u"Windows x64")) {
    return driverRoot + u"\\x64";
  }
  if (EqualsNoCase(environment, u"Windows NT x86")) {
    return driverRoot + u"\\W32X86";
  }
  if (EqualsNoCase(environment, u"Windows ARM64")) {
    return driverRoot + u"\\ARM64";
  }
  *known = false;
  return {};
}

uint32_t FakeSpooler::GetPrinterDriverDirectoryW(const char16_t* server, const char16_t* environment, uint32_t level,
                                                 uint8_t* driverDirectory, uint32_t bufferSize, uint32_t* needed) {
  calls.push_back("GetPrinterDriverDirectoryW(server=" + Quote(server) + ", environment=" + Quote(environment) +
                  ", level=" + std::to_string(level) + ", buffer=" + (driverDirectory ? "set" : "null") +
                  ", cb=" + std::to_string(bufferSize) + ")");
  uint32_t error = 0;
  if (TakeFailure("GetPrinterDriverDirectoryW", &error)) {
    return error;
  }
  if (level != 1) {
    return kErrorInvalidLevel;
  }
  bool known = false;
  const std::u16string directory = DirectoryFor(environment ? environment : runningEnvironment, &known);
  if (!known) {
    return kErrorInvalidEnvironment;
  }
  const uint32_t size = TextBytes(directory);
  if (EndsBeforeFilling(size, driverDirectory, bufferSize, needed, &error)) {
    return error;
  }
  std::memcpy(driverDirectory, directory.c_str(), size);
  return 0;
}

uint32_t FakeSpooler::EnumPrintersW(uint32_t flags, const char16_t* name, uint32_t level, uint8_t* buffer,
                                    uint32_t bufferSize, uint32_t* needed, uint32_t* returned) {
  calls.push_back("EnumPrintersW(flags=" + std::to_string(flags) + ", name=" + Quote(name) +
                  ", level=" + std::to_string(level) + ", buffer=" + (buffer ? "set" : "null") +
                  ", cb=" + std::to_string(bufferSize) + ")");
  *returned = 0;
  uint32_t error = 0;
  if (TakeFailure("EnumPrintersW", &error)) {
    return error;
  }
  if (level != 2) {
    return kErrorInvalidLevel;
  }
  uint32_t size = 0;
  for (const FakePrinter& p : printers) {
    size += PrinterInfo2Bytes(p);
  }
  if (EndsBeforeFilling(size, buffer, bufferSize, needed, &error)) {
    return error;
  }
  BackPacker packer(buffer, size);
  auto* records = reinterpret_cast<PrinterInfo2W*>(buffer);
  for (std::size_t i = 0; i < printers.size(); ++i) {
    const PrinterInfo2W record = PackPrinterInfo2(packer, printers[i]);
    std::memcpy(&records[i], &record, sizeof record);
  }
  *returned = static_cast<uint32_t>(printers.size());
  return 0;
}

uint32_t FakeSpooler::EnumPrinterDriversW(const char16_t* server, const char16_t* environment, uint32_t level,
                                          uint8_t* buffer, uint32_t bufferSize, uint32_t* needed,
                                          uint32_t* returned) {
  calls.push_back("EnumPrinterDriversW(server=" + Quote(server) + ", environment=" + Quote(environment) +
                  ", level=" + std::to_string(level) + ", buffer=" + (buffer ? "set" : "null") +
                  ", cb=" + std::to_string(bufferSize) + ")");
  *returned = 0;
  uint32_t error = 0;
  if (TakeFailure("EnumPrinterDriversW", &error)) {
    return error;
  }
  if (level != 1) {
    return kErrorInvalidLevel;
  }
  const std::u16string wanted = environment ? environment : runningEnvironment;
  bool known = false;
  DirectoryFor(wanted, &known);
  if (!known) {
    return kErrorInvalidEnvironment;
  }
  std::vector<const FakeDriver*> listed;
  uint32_t size = 0;
  for (const FakeDriver& d : drivers) {
    if (EqualsNoCase(d.environment, wanted)) {
      listed.push_back(&d);
      size += sizeof(DriverInfo1W) + TextBytes(d.name);
    }
  }
  if (EndsBeforeFilling(size, buffer, bufferSize, needed, &error)) {
    return error;
  }
  BackPacker packer(buffer, size);
  auto* records = reinterpret_cast<DriverInfo1W*>(buffer);
  for (std::size_t i = 0; i < listed.size(); ++i) {
    DriverInfo1W record{packer.Text(listed[i]->name)};
    std::memcpy(&records[i], &record, sizeof record);
  }
  *returned = static_cast<uint32_t>(listed.size());
  return 0;
}

FakePrinter* FakeSpooler::FindPrinter(const std::u16string& name) {
  for (FakePrinter& p : printers) {
    if (EqualsNoCase(p.name, name)) {
      return &p;
    }
  }
  return nullptr;
}

const FakeOpenHandle* FakeSpooler::Handle(quispor::platform::PrinterHandle printer) const {
  auto it = openHandles.find(printer);
  return it == openHandles.end() ? nullptr : &it->second;
}

uint32_t FakeSpooler::OpenPrinterW(const char16_t* printerName, quispor::platform::PrinterHandle* printer,
                                   const quispor::platform::PrinterDefaultsW* defaults) {
  const uint32_t access = defaults ? defaults->DesiredAccess : 0;
  calls.push_back("OpenPrinterW(name=" + Quote(printerName) +
                  (defaults ? ", datatype=" + Quote(defaults->pDatatype) +
                                  ", devmode=" + (defaults->pDevMode ? "set" : "null") +
                                  ", access=" + HexText(access)
                            : std::string(", defaults=null")) +
                  ")");
  *printer = 0;
  uint32_t error = 0;
  if (TakeFailure("OpenPrinterW", &error)) {
    return error;
  }
  if (printerName == nullptr) {
    return kErrorInvalidPrinterName;
  }
  const std::u16string name = printerName;
  FakeOpenHandle opened{FakeOpenHandle::Kind::Printer, name, access};
  static const std::u16string kMonitor = u", XcvMonitor ";
  static const std::u16string kPort = u", XcvPort ";
  if (name.compare(0, kMonitor.size(), kMonitor) == 0) {
    const std::u16string monitor = name.substr(kMonitor.size());
    bool known = false;
    for (const std::u16string& m : monitors) {
      known = known || EqualsNoCase(m, monitor);
    }
    if (!known) {
      return kErrorInvalidPrinterName;
    }
    opened = {FakeOpenHandle::Kind::Monitor, monitor, access};
  } else if (name.compare(0, kPort.size(), kPort) == 0) {
    opened = {FakeOpenHandle::Kind::Port, name.substr(kPort.size()), access};
  } else {
    const FakePrinter* p = FindPrinter(name);
    if (p == nullptr) {
      return kErrorInvalidPrinterName;
    }
    for (const std::u16string& denied : deniedPrinters) {
      if (EqualsNoCase(denied, name)) {
        return kErrorAccessDenied;
      }
    }
    constexpr uint32_t kPrinterAccessUse = 0x8;
    if (IsConnection(*p) && !p->serverAdministrator && (access & ~kPrinterAccessUse) != 0) {
      return kErrorAccessDenied;  // the server grants this user use only
    }
    opened.name = p->name;
  }
  const quispor::platform::PrinterHandle handle = nextHandle_;
  nextHandle_ += 4;
  openHandles.emplace(handle, opened);
  *printer = handle;
  return 0;
}

uint32_t FakeSpooler::ClosePrinter(quispor::platform::PrinterHandle printer) {
  calls.push_back("ClosePrinter(" + HexText(printer) + ")");
  uint32_t error = 0;
  if (TakeFailure("ClosePrinter", &error)) {
    return error;
  }
  return openHandles.erase(printer) == 1 ? 0 : kErrorInvalidHandle;
}

}  // namespace kit::fakes
