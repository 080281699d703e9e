// An in-memory print spooler that answers like Windows' winspool: two-call
// size queries (122 and the size needed first), records laid out in the
// caller's buffer with their texts behind them, names compared without case,
// environment-specific drivers. Every call is recorded.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "wizard/engine/platform/Spooler.h"

namespace kit::fakes {

struct FakePrinter {
  std::u16string name;
  std::u16string driver;
  std::u16string port = u"LPT1:";
  std::u16string shareName;
  std::u16string comment;
  std::u16string location;
  std::u16string printProcessor = u"winprint";
  std::u16string datatype = u"RAW";
  uint32_t attributes = 0x40;  // PRINTER_ATTRIBUTE_LOCAL
  uint32_t jobs = 0;  // jobs queued on it (removal)
  // A connection (\\server\queue, PRINTER_ATTRIBUTE_NETWORK without LOCAL):
  // whether this user administers the server that shares the queue. Without
  // that, an open that asks for more than PRINTER_ACCESS_USE is refused with
  // 5; with it, DeletePrinter deletes the server's shared queue itself.
  bool serverAdministrator = false;
  // Deleted while its jobs were queued: listed until the spooler restarts.
  bool pendingDeletion = false;
};

inline constexpr uint32_t kPrinterAttributeNetwork = 0x10;  // PRINTER_ATTRIBUTE_NETWORK

// What an open printer handle of the fake stands for.
struct FakeOpenHandle {
  enum class Kind { Printer, Monitor, Port } kind;
  std::u16string name;  // printer name as stored, or the monitor / port name
  uint32_t access;      // DesiredAccess of the open, 0 without defaults
};

struct FakeDriver {
  std::u16string name;
  std::u16string environment = u"Windows x64";
};

// A spooler port, as EnumPortsW level 2 reports it.
struct FakePort {
  std::u16string name;
  std::u16string monitor = u"Local Port";
  std::u16string description = u"Local Port";
  uint32_t portType = 0x3;  // PORT_TYPE_WRITE | PORT_TYPE_READ
};

class FakeDisk;
class FakeRegistryStore;

class FakeSpooler : public quispor::platform::Spooler {
 public:
  static constexpr uint32_t kErrorInvalidLevel = 124;
  static constexpr uint32_t kErrorInvalidUserBuffer = 1784;
  static constexpr uint32_t kErrorInvalidEnvironment = 1805;

  std::vector<FakePrinter> printers;
  std::vector<FakeDriver> drivers;
  // What a null environment stands for: the running program's.
  std::u16string runningEnvironment = u"Windows x64";
  std::u16string driverRoot = u"C:\\Windows\\system32\\spool\\DRIVERS";
  // Port monitors that ", XcvMonitor <name>" opens, as on Windows.
  std::vector<std::u16string> monitors = {u"Local Port", u"Standard TCP/IP Port"};
  // Printers whose open is refused with access denied (5).
  std::vector<std::u16string> deniedPrinters;
  // Shared queues of other computers that a DeletePrinter through a
  // connection deleted on their server.
  std::vector<std::u16string> deletedServerQueues;
  // The print spooler service: while it is not running every call fails
  // with 1722 (RPC_S_SERVER_UNAVAILABLE). A stop ends what the running
  // spooler held on to: the drivers it keeps loaded for printers deleted
  // since it started (it refuses to delete those with 3001), the printers
  // whose deletion waits on queued jobs, and every open handle.
  static constexpr uint32_t kRpcServerUnavailable = 1722;
  bool running = true;
  std::vector<std::u16string> heldDrivers;
  // Follows the service's state (see FakeService::stateChanged).
  void ServiceStateChanged(uint32_t state);
  // Handles currently open, by handle value.
  std::map<quispor::platform::PrinterHandle, FakeOpenHandle> openHandles;

  // Installation and ports (bodies in FakeSpoolerInstall.cpp).
  // The ports of a fresh Windows spooler, in its enumeration order.
  std::vector<FakePort> ports = {{u"COM1:"}, {u"COM2:"}, {u"COM3:"}, {u"COM4:"}, {u"FILE:"},
                                 {u"LPT1:"}, {u"LPT2:"}, {u"LPT3:"}};
  std::u16string defaultPrinter;
  // Where AddPrinterDriverW looks for the driver's files (in the driver
  // directory of its environment); null: the files are not checked.
  FakeDisk* disk = nullptr;
  // Where the Standard TCP/IP monitor keeps its ports (HKLM\SYSTEM\...\Ports);
  // null: "AddPort" only adds the spooler port.
  FakeRegistryStore* monitorRegistry = nullptr;
  // What the monitor's "AddPort" answers as its status instead of doing the
  // work; 0: the monitor works (183 when the port exists).
  uint32_t addPortStatus = 0;

  // One line per call: name and arguments, e.g.
  // EnumPrintersW(flags=6, name="", level=2, cb=0).
  std::vector<std::string> calls;

  // Queues the outcome of the next call of that name: a non-zero code makes
  // it fail with that code before it looks at its arguments; 0 lets it run
  // normally (so FailNext(x, 0), FailNext(x, 122) fails the second call).
  void FailNext(const std::string& call, uint32_t error) { failures_[call].push_back(error); }

  uint32_t GetPrinterDriverDirectoryW(const char16_t* server, const char16_t* environment, uint32_t level,
                                      uint8_t* driverDirectory, uint32_t bufferSize, uint32_t* needed) override;
  uint32_t EnumPrintersW(uint32_t flags, const char16_t* name, uint32_t level, uint8_t* printers,
                         uint32_t bufferSize, uint32_t* needed, uint32_t* returned) override;
  uint32_t EnumPrinterDriversW(const char16_t* server, const char16_t* environment, uint32_t level,
                               uint8_t* drivers, uint32_t bufferSize, uint32_t* needed,
                               uint32_t* returned) override;
  uint32_t OpenPrinterW(const char16_t* printerName, quispor::platform::PrinterHandle* printer,
                        const quispor::platform::PrinterDefaultsW* defaults) override;
  uint32_t ClosePrinter(quispor::platform::PrinterHandle printer) override;

  // Printer and driver removal (bodies in FakeSpoolerRemoval.cpp). Forms are
  // the server's, as on Windows; a printer deleted while its jobs are queued
  // stays listed, pending deletion, until the spooler restarts.
  std::vector<std::u16string> forms = {u"Letter", u"Legal", u"A4"};
  uint32_t EnumJobsW(quispor::platform::PrinterHandle printer, uint32_t firstJob, uint32_t jobCount, uint32_t level,
                     uint8_t* jobs, uint32_t bufferSize, uint32_t* needed, uint32_t* returned) override;
  uint32_t GetPrinterW(quispor::platform::PrinterHandle printer, uint32_t level, uint8_t* info, uint32_t bufferSize,
                       uint32_t* needed) override;
  uint32_t EnumFormsW(quispor::platform::PrinterHandle printer, uint32_t level, uint8_t* forms, uint32_t bufferSize,
                      uint32_t* needed, uint32_t* returned) override;
  uint32_t DeletePrinter(quispor::platform::PrinterHandle printer) override;
  uint32_t DeleteFormW(quispor::platform::PrinterHandle printer, const char16_t* formName) override;
  uint32_t DeletePrinterConnectionW(const char16_t* name) override;
  uint32_t DeletePrinterDriverExW(const char16_t* server, const char16_t* environment, const char16_t* driverName,
                                  uint32_t deleteFlag, uint32_t versionFlag) override;
  static constexpr uint32_t kErrorInvalidFormName = 1902;
  static constexpr uint32_t kErrorPrinterDriverInUse = 3001;
  // Installation and ports (bodies in FakeSpoolerInstall.cpp).
  uint32_t AddPrinterDriverW(const char16_t* server, uint32_t level,
                             const quispor::platform::DriverInfo3W* driverInfo) override;
  uint32_t AddPrinterW(const char16_t* server, uint32_t level, const quispor::platform::PrinterInfo2W* printerInfo,
                       quispor::platform::PrinterHandle* printer) override;
  uint32_t SetDefaultPrinterW(const char16_t* printerName) override;
  uint32_t EnumPortsW(const char16_t* server, uint32_t level, uint8_t* ports, uint32_t bufferSize,
                      uint32_t* needed, uint32_t* returned) override;
  uint32_t XcvDataW(quispor::platform::PrinterHandle xcv, const char16_t* dataName, const uint8_t* input,
                    uint32_t inputSize, uint8_t* output, uint32_t outputSize, uint32_t* outputNeeded,
                    uint32_t* status) override;

  static constexpr uint32_t kErrorFileNotFound = 2;
  static constexpr uint32_t kErrorUnknownPrinterDriver = 1797;
  static constexpr uint32_t kErrorUnknownPrintProcessor = 1798;
  // The port of that name (without case), or null.
  const FakePort* FindPort(const std::u16string& name) const;

  static constexpr uint32_t kErrorInvalidHandle = 6;
  static constexpr uint32_t kErrorAccessDenied = 5;
  static constexpr uint32_t kErrorInvalidPrinterName = 1801;

  // The printer of that name (without case), or null.
  FakePrinter* FindPrinter(const std::u16string& name);
  // A connection to another computer's shared queue rather than a printer
  // of this spooler.
  static bool IsConnection(const FakePrinter& printer) {
    return (printer.attributes & kPrinterAttributeNetwork) != 0 && (printer.attributes & 0x40) == 0;
  }
  // The open handle, or null when it is not open.
  const FakeOpenHandle* Handle(quispor::platform::PrinterHandle printer) const;

 private:
  bool TakeFailure(const std::string& call, uint32_t* error);
  std::u16string DirectoryFor(const std::u16string& environment, bool* known) const;

  std::map<std::string, std::deque<uint32_t>> failures_;
  quispor::platform::PrinterHandle nextHandle_ = 0x1000;
};

}  // namespace kit::fakes
