// The spooler fake's installation and port calls: drivers need their files
// in the driver directory (2 otherwise), a taken printer name gives 1802, an
// unknown port 1796, an unknown driver 1797, the Standard TCP/IP monitor's
// "AddPort" answers with its status (0, 183 when the port exists).
#include <cstring>

#include "tests/fakes/registry/FakeRegistryStore.h"
#include "tests/fakes/wizard/FakeDisk.h"
#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeHelpers.h"
#include "tests/fakes/wizard/FakeText.h"
#include "wizard/engine/tcpip/PortData1.h"

namespace kit::fakes {
namespace {

using detail::BackPacker;
using detail::EndsBeforeFilling;
using detail::HexText;
using detail::TextBytes;

using quispor::platform::PortInfo2W;

constexpr uint32_t kErrorInvalidDataType = 1804;
constexpr uint32_t kErrorInvalidFunction = 1;
constexpr uint32_t kErrorInvalidParameter = 87;

// "[a|b|c]" for a NUL-separated list that ends in an empty name.
std::string FileList(const char16_t* list) {
  if (list == nullptr) {
    return "null";
  }
  std::string out = "[";
  bool first = true;
  for (const char16_t* at = list; *at != u'\0'; at += std::char_traits<char16_t>::length(at) + 1) {
    out += first ? "" : "|";
    out += ToUtf8(at);
    first = false;
  }
  return out + "]";
}

std::u16string Field(const char16_t* text, std::size_t capacity) {
  std::size_t n = 0;
  while (n < capacity && text[n] != u'\0') {
    ++n;
  }
  return std::u16string(text, n);
}

bool IsDottedAddress(const std::u16string& text) {
  int dots = 0;
  for (char16_t c : text) {
    if (c == u'.') {
      ++dots;
    } else if (c < u'0' || c > u'9') {
      return false;
    }
  }
  return dots == 3;
}

}  // namespace

const FakePort* FakeSpooler::FindPort(const std::u16string& name) const {
  for (const FakePort& p : ports) {
    if (EqualsNoCase(p.name, name)) {
      return &p;
    }
  }
  return nullptr;
}

uint32_t FakeSpooler::AddPrinterDriverW(const char16_t* server, uint32_t level,
                                        const quispor::platform::DriverInfo3W* info) {
  if (info == nullptr) {
    calls.push_back("AddPrinterDriverW(server=" + Quote(server) + ", level=" + std::to_string(level) + ", info=null)");
    return kErrorInvalidParameter;
  }
  calls.push_back("AddPrinterDriverW(server=" + Quote(server) + ", level=" + std::to_string(level) +
                  ", version=" + std::to_string(info->cVersion) + ", name=" + Quote(info->pName) +
                  ", environment=" + Quote(info->pEnvironment) + ", driver=" + Quote(info->pDriverPath) +
                  ", data=" + Quote(info->pDataFile) + ", config=" + Quote(info->pConfigFile) +
                  ", help=" + Quote(info->pHelpFile) + ", dependent=" + FileList(info->pDependentFiles) +
                  ", monitor=" + Quote(info->pMonitorName) + ", datatype=" + Quote(info->pDefaultDataType) + ")");
  uint32_t error = 0;
  if (TakeFailure("AddPrinterDriverW", &error)) {
    return error;
  }
  if (level < 2 || level > 6) {
    return kErrorInvalidLevel;
  }
  if (info->pName == nullptr || info->pDriverPath == nullptr || info->pDataFile == nullptr ||
      info->pConfigFile == nullptr) {
    return kErrorInvalidParameter;
  }
  const std::u16string environment = info->pEnvironment != nullptr ? info->pEnvironment : runningEnvironment;
  bool known = false;
  const std::u16string directory = DirectoryFor(environment, &known);
  if (!known) {
    return kErrorInvalidEnvironment;
  }
  // Bare names are looked for in the environment's driver directory.
  if (disk != nullptr) {
    std::vector<const char16_t*> names = {info->pDriverPath, info->pDataFile, info->pConfigFile};
    if (info->pDependentFiles != nullptr) {
      for (const char16_t* at = info->pDependentFiles; *at != u'\0';
           at += std::char_traits<char16_t>::length(at) + 1) {
        names.push_back(at);
      }
    }
    for (const char16_t* name : names) {
      const std::u16string file = name;
      const std::u16string path = file.find(u'\\') == std::u16string::npos ? directory + u"\\" + file : file;
      if (!disk->Exists(path)) {
        return kErrorFileNotFound;
      }
    }
  }
  for (FakeDriver& d : drivers) {
    if (EqualsNoCase(d.name, info->pName) && EqualsNoCase(d.environment, environment)) {
      return 0;  // the same driver again is an upgrade in place
    }
  }
  drivers.push_back(FakeDriver{info->pName, environment});
  return 0;
}

uint32_t FakeSpooler::AddPrinterW(const char16_t* server, uint32_t level, const quispor::platform::PrinterInfo2W* info,
                                  quispor::platform::PrinterHandle* printer) {
  *printer = 0;
  if (info == nullptr) {
    calls.push_back("AddPrinterW(server=" + Quote(server) + ", level=" + std::to_string(level) + ", info=null)");
    return kErrorInvalidParameter;
  }
  calls.push_back(
      "AddPrinterW(server=" + Quote(server) + ", level=" + std::to_string(level) + ", printerServer=" +
      Quote(info->pServerName) + ", name=" + Quote(info->pPrinterName) + ", share=" + Quote(info->pShareName) +
      ", port=" + Quote(info->pPortName) + ", driver=" + Quote(info->pDriverName) +
      ", comment=" + Quote(info->pComment) +
      ", location=" + Quote(info->pLocation) + ", devmode=" + (info->pDevMode ? "set" : "null") +
      ", sepfile=" + Quote(info->pSepFile) + ", processor=" + Quote(info->pPrintProcessor) +
      ", datatype=" + Quote(info->pDatatype) + ", parameters=" + Quote(info->pParameters) +
      ", security=" + (info->pSecurityDescriptor ? "set" : "null") + ", attributes=" + HexText(info->Attributes) +
      ", priority=" + std::to_string(info->Priority) + ", defaultPriority=" + std::to_string(info->DefaultPriority) +
      ", start=" + std::to_string(info->StartTime) + ", until=" + std::to_string(info->UntilTime) +
      ", status=" + std::to_string(info->Status) + ", jobs=" + std::to_string(info->cJobs) +
      ", ppm=" + std::to_string(info->AveragePPM) + ")");
  uint32_t error = 0;
  if (TakeFailure("AddPrinterW", &error)) {
    return error;
  }
  if (level != 2) {
    return kErrorInvalidLevel;
  }
  if (info->pPrinterName == nullptr || info->pPrinterName[0] == u'\0' || info->pPortName == nullptr ||
      info->pDriverName == nullptr || info->pPrintProcessor == nullptr) {
    return kErrorInvalidParameter;
  }
  if (FindPrinter(info->pPrinterName) != nullptr) {
    return quispor::platform::kErrorPrinterAlreadyExists;
  }
  if (FindPort(info->pPortName) == nullptr) {
    return quispor::platform::kErrorUnknownPort;
  }
  bool driverKnown = false;
  for (const FakeDriver& d : drivers) {
    driverKnown = driverKnown || (EqualsNoCase(d.name, info->pDriverName) && EqualsNoCase(d.environment, runningEnvironment));
  }
  if (!driverKnown) {
    return kErrorUnknownPrinterDriver;
  }
  if (!EqualsNoCase(info->pPrintProcessor, u"WinPrint")) {
    return kErrorUnknownPrintProcessor;
  }
  if (info->pDatatype != nullptr && !EqualsNoCase(info->pDatatype, u"RAW") &&
      !EqualsNoCase(info->pDatatype, u"NT EMF 1.008") && !EqualsNoCase(info->pDatatype, u"TEXT")) {
    return kErrorInvalidDataType;
  }
  FakePrinter added;
  added.name = info->pPrinterName;
  added.driver = info->pDriverName;
  added.port = info->pPortName;
  added.printProcessor = info->pPrintProcessor;
  added.datatype = info->pDatatype != nullptr ? info->pDatatype : u"RAW";
  added.attributes = info->Attributes;
  printers.push_back(added);
  const quispor::platform::PrinterHandle handle = nextHandle_;
  nextHandle_ += 4;
  openHandles.emplace(handle, FakeOpenHandle{FakeOpenHandle::Kind::Printer, added.name, 0xF000C});
  *printer = handle;
  return 0;
}

uint32_t FakeSpooler::SetDefaultPrinterW(const char16_t* printerName) {
  calls.push_back("SetDefaultPrinterW(" + Quote(printerName) + ")");
  uint32_t error = 0;
  if (TakeFailure("SetDefaultPrinterW", &error)) {
    return error;
  }
  const FakePrinter* p = printerName != nullptr ? FindPrinter(printerName) : nullptr;
  if (p == nullptr) {
    return kErrorInvalidPrinterName;
  }
  defaultPrinter = p->name;
  return 0;
}

uint32_t FakeSpooler::EnumPortsW(const char16_t* server, uint32_t level, uint8_t* buffer, uint32_t bufferSize,
                                 uint32_t* needed, uint32_t* returned) {
  calls.push_back("EnumPortsW(server=" + Quote(server) + ", level=" + std::to_string(level) +
                  ", buffer=" + (buffer ? "set" : "null") + ", cb=" + std::to_string(bufferSize) + ")");
  *returned = 0;
  uint32_t error = 0;
  if (TakeFailure("EnumPortsW", &error)) {
    return error;
  }
  if (level != 1 && level != 2) {
    return kErrorInvalidLevel;
  }
  uint32_t size = 0;
  for (const FakePort& p : ports) {
    size += sizeof(PortInfo2W) + TextBytes(p.name) + TextBytes(p.monitor) + TextBytes(p.description);
  }
  if (EndsBeforeFilling(size, buffer, bufferSize, needed, &error)) {
    return error;
  }
  BackPacker packer(buffer, size);
  auto* records = reinterpret_cast<PortInfo2W*>(buffer);
  for (std::size_t i = 0; i < ports.size(); ++i) {
    PortInfo2W record{};
    record.pPortName = packer.Text(ports[i].name);
    record.pMonitorName = packer.Text(ports[i].monitor);
    record.pDescription = packer.Text(ports[i].description);
    record.fPortType = ports[i].portType;
    std::memcpy(&records[i], &record, sizeof record);
  }
  *returned = static_cast<uint32_t>(ports.size());
  return 0;
}

uint32_t FakeSpooler::XcvDataW(quispor::platform::PrinterHandle xcv, const char16_t* dataName, const uint8_t* input,
                               uint32_t inputSize, uint8_t* output, uint32_t outputSize, uint32_t* outputNeeded,
                               uint32_t* status) {
  calls.push_back("XcvDataW(" + HexText(xcv) + ", " + Quote(dataName) + ", input=" + (input ? "set" : "null") +
                  ", cbInput=" + std::to_string(inputSize) + ", output=" + (output ? "set" : "null") +
                  ", cbOutput=" + std::to_string(outputSize) + ")");
  uint32_t error = 0;
  if (TakeFailure("XcvDataW", &error)) {
    return error;
  }
  const FakeOpenHandle* handle = Handle(xcv);
  if (handle == nullptr || handle->kind == FakeOpenHandle::Kind::Printer) {
    return kErrorInvalidHandle;
  }
  if (outputNeeded == nullptr || status == nullptr || dataName == nullptr) {
    return kErrorInvalidParameter;
  }
  *outputNeeded = 0;
  if (!EqualsNoCase(handle->name, u"Standard TCP/IP Port") || !EqualsNoCase(dataName, u"AddPort")) {
    *status = kErrorInvalidFunction;
    return 0;
  }
  if ((handle->access & quispor::platform::kServerAccessAdminister) == 0) {
    *status = kErrorAccessDenied;
    return 0;
  }
  if (input == nullptr || inputSize < quispor::kPortData1Size) {
    *status = kErrorInvalidParameter;
    return 0;
  }
  if (addPortStatus != 0) {
    *status = addPortStatus;
    return 0;
  }
  quispor::PortData1 data;
  std::memcpy(&data, input, sizeof data);
  const std::u16string name = Field(data.sztPortName, 64);
  // The monitor keeps each port as a registry key named like the port, and a
  // key name can be neither empty nor contain a backslash.
  if (name.empty() || name.find(u'\\') != std::u16string::npos) {
    *status = kErrorInvalidParameter;
    return 0;
  }
  if (FindPort(name) != nullptr) {
    *status = quispor::platform::kErrorAlreadyExists;
    return 0;
  }
  ports.push_back(FakePort{name, u"Standard TCP/IP Port", u"Standard TCP/IP Port", 0x3});
  if (monitorRegistry != nullptr) {
    const std::u16string key = u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\" + name;
    const std::u16string host = Field(data.sztHostAddress, 49);
    const bool dotted = IsDottedAddress(host);
    monitorRegistry->PutDword(key, u"Protocol", data.dwProtocol);
    monitorRegistry->PutDword(key, u"Version", data.dwVersion);
    monitorRegistry->PutString(key, u"HostName", dotted ? u"" : host);
    monitorRegistry->PutString(key, u"IPAddress", dotted ? host : Field(data.sztIPAddress, 16));
    monitorRegistry->PutDword(key, u"PortNumber", data.dwPortNumber);
    monitorRegistry->PutString(key, u"SNMP Community", Field(data.sztSNMPCommunity, 33));
    monitorRegistry->PutDword(key, u"SNMP Enabled", data.dwSNMPEnabled);
    monitorRegistry->PutDword(key, u"SNMP Index", data.dwSNMPDevIndex);
  }
  *status = 0;
  return 0;
}

}  // namespace kit::fakes
