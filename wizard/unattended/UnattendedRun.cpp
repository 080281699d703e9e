#include "wizard/unattended/UnattendedRun.h"

#include <string>
#include <vector>

#include "trust/SafeFolder.h"
#include "wizard/engine/ModelCatalogue.h"
#include "wizard/engine/NameCompare.h"
#include "wizard/engine/SpoolerPortList.h"
#include "wizard/engine/SystemFacts.h"
#include "wizard/engine/WideFormat.h"
#include "wizard/engine/WideText.h"
#include "wizard/engine/install/Install.h"
#include "wizard/engine/tcpip/TcpIpPorts.h"
#include "wizard/engine/usb/UsbPorts.h"
#include "wizard/removal/PlatformRemoval.h"
#include "wizard/unattended/ExitCodes.h"
#include "wizard/unattended/InstalledCheck.h"
#include "wizard/unattended/QuietReport.h"
#include "wizard/unattended/RemovalListing.h"
#include "wizard/unattended/ResultFile.h"
#include "wizard/unattended/RunLock.h"
#include "wizard/unattended/RunLog.h"
#include "wizard/unattended/UnlinkedFile.h"

namespace quispor::unattended {
namespace {

constexpr const char16_t* kUsageCaption = u"Quispor";

// Whether the folder of a file the administrator named passes the folder
// check. A bare file name (in the current folder) does not count as safe.
bool InSafeFolder(kit::trust::FolderPlatform& folders, const std::u16string& file) {
  const std::size_t cut = file.find_last_of(u"\\/");
  if (cut == std::u16string::npos) {
    return false;
  }
  std::u16string folder = file.substr(0, cut);
  if (!folder.empty() && folder.back() == u':') {
    folder += u'\\';  // a drive's root
  }
  return kit::trust::CheckExistingFolder(folders, folder).usable();
}

// The USB page's list as the search fills it, kept to learn which port the
// page would pre-select.
class FirstUsbPort final : public UsbPortList {
 public:
  void AddString(const char16_t* text) override { names_.emplace_back(View(text)); }
  int FindStringExact(int startIndex, const char16_t* text) override {
    for (std::size_t i = startIndex < 0 ? 0 : static_cast<std::size_t>(startIndex) + 1; i < names_.size(); ++i) {
      if (NamesEqualIgnoringCase(names_[i], View(text))) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }
  void SetCurSel(int index) override { selected_ = index; }
  std::u16string Selected() const {
    return selected_ >= 0 && static_cast<std::size_t>(selected_) < names_.size() ? names_[selected_] : u"";
  }

 private:
  std::vector<std::u16string> names_;
  int selected_ = -1;
};

class QuietRun {
 public:
  QuietRun(UnattendedServices& services, const UnattendedCommand& command, RunLog& log, RunResult& result)
      : services_(services), platform_(services.platform), command_(command), log_(log), result_(result) {}

  uint32_t Run();

 private:
  uint32_t Install();
  uint32_t Uninstall();
  // The port of the command; 0, or the exit code that ends the run.
  uint32_t ResolvePort(std::u16string& port);
  uint32_t End(uint32_t exitCode, const std::u16string& why) {
    log_.Write(why);
    result_.message = why;
    return exitCode;
  }

  UnattendedServices& services_;
  platform::Platform& platform_;
  const UnattendedCommand& command_;
  RunLog& log_;
  RunResult& result_;
};

uint32_t QuietRun::Run() {
  result_.action = command_.mode == RunMode::Usage ? u"usage"
                   : !command_.uninstall          ? u"install"
                   : command_.whatIf              ? u"whatif"
                                                  : u"uninstall";
  if (!command_.error.empty()) {
    return End(kExitInvalidCommandLine, u"invalid command line: " + command_.error);
  }
  if (command_.mode == RunMode::Usage) {
    log_.Write(UsageText());
    return kExitDone;
  }
  if (!command_.resultPath.empty()) {
    // Known to be writable before anything changes, so the outcome is not
    // lost; until the run ends it tells a failure.
    RunResult unfinished = result_;
    unfinished.exitCode = kExitInstallFailure;
    unfinished.message = u"the run did not end";
    const FileOutcome written = WriteResultFile(services_.files, command_.resultPath, unfinished);
    if (written.link != LinkFound::None) {
      return End(kExitNotSafe, u"the result file " + WhyRefused(command_.resultPath, written.link) +
                                   u"; nothing changed");
    }
    if (written.error != 0) {
      return End(FailureExitCode(written.error), u"the result file cannot be written: " + Decimal(written.error));
    }
  }
  const bool listOnly = command_.uninstall && command_.whatIf;
  const uint32_t access =
      listOnly ? CheckManageAccessWithoutChange(platform_.registry) : CheckIsManageAccess(platform_.registry);
  if (access == kExitAccessDenied) {
    return End(kExitAccessDenied, u"no administrator access (5); run it elevated or as SYSTEM");
  }
  if (access != 0) {
    log_.Write(u"the administrator check answered " + Decimal(access) + u"; going on");
  }
  return command_.uninstall ? Uninstall() : Install();
}

uint32_t QuietRun::ResolvePort(std::u16string& port) {
  switch (command_.port) {
    case PortChoice::Named: {
      const SpoolerPortList ports = EnumerateSpoolerPorts(platform_.spooler);
      const char16_t* listed = FindListedPort(ports, command_.portName.c_str());
      if (listed == nullptr) {
        return End(kErrorUnknownPort, u"the spooler lists no port " + command_.portName + u"; nothing changed");
      }
      port = listed;
      return 0;
    }
    case PortChoice::Usb: {
      FirstUsbPort list;
      uint32_t ended = 0;
      const UsbSearchServices usb{platform_.deviceSetup, platform_.registry, platform_.spooler};
      SetUSBPortName(usb, list, static_cast<uint16_t>(command_.modelIndex), ProcessUsbDeviceTable(),
                     ProcessListedUsbPorts(), &ended);
      port = list.Selected();
      if (port.empty()) {
        return End(kExitNoUsbPort, u"the USB port search found no USB printer port (its code: " + Decimal(ended) +
                                        u"); nothing changed");
      }
      log_.Write(u"USB printer port found: " + port);
      return 0;
    }
    case PortChoice::Ip: {
      LoggedMessages messages(log_);
      char16_t name[kWideTextCapacity] = {};
      bool created = false;
      const uint32_t error = FindOrCreateTcpIpPort(platform_.registry, platform_.spooler, messages,
                                                   command_.ipAddress.c_str(), command_.tcpPort, name, &created);
      const std::u16string target = command_.ipAddress + u":" + Decimal(command_.tcpPort);
      if (name[0] == u'\0') {
        // The monitor's status is not an exit code of its own: 5 there would
        // read as "no administrator access".
        return End(kErrorUnknownPort, u"no Standard TCP/IP port for " + target +
                                          u" could be found or created; the port monitor answered " + Decimal(error));
      }
      port = name;
      result_.changed = created;
      log_.Write(std::u16string(created ? u"TCP/IP port created for " : u"TCP/IP port found for ") + target + u": " +
                 port);
      return 0;
    }
  }
  return kExitInvalidCommandLine;
}

uint32_t QuietRun::Install() {
  const char16_t* model = ModelCatalogue[command_.modelIndex].name;
  result_.model = model;
  result_.driver = model;
  std::u16string port;
  if (const uint32_t ended = ResolvePort(port); ended != 0) {
    return ended;
  }
  result_.port = port;
  const std::u16string existing = FindPrinterOnPort(platform_.spooler, model, port.c_str());
  if (!existing.empty()) {
    result_.printer = existing;
    return End(kExitDone, u"already installed: printer \"" + existing + u"\" of driver " + model + u" on " + port +
                               u"; nothing changed");
  }
  QuietReport report(log_);
  const InstallChoices choices{command_.setAsDefault, static_cast<uint16_t>(command_.modelIndex), model, port.c_str()};
  const InstallServices install{platform_.spooler, platform_.systemInfo, platform_.fileCopy};
  InstallState state;
  const int32_t installed = RunInstallSequence(install, choices, state, report);
  result_.printer = installed == 0 ? std::u16string(state.lastPrinterName) : report.printer();
  result_.message = report.message();
  result_.changed = result_.changed || report.changed();
  return InstallExitCode(installed, report.printerCode());
}

uint32_t QuietRun::Uninstall() {
  if (command_.whatIf) {
    removal::RemovalServices services = removal::RemovalServicesOf(platform_);
    uint32_t error = 0;
    result_.wouldRemove = ListRemoval(services, &error);
    const RemovalPlan& plan = *result_.wouldRemove;
    for (const auto& [kind, names] : {std::pair{u"printer", &plan.printers}, std::pair{u"form", &plan.forms},
                                      std::pair{u"driver", &plan.drivers}, std::pair{u"driver package", &plan.packages}}) {
      for (const std::u16string& name : *names) {
        log_.Write(u"would remove " + std::u16string(kind) + u" \"" + name + u"\"");
      }
    }
    if (error != 0) {
      return End(FailureExitCode(error), u"the printer drivers cannot be listed: " + Decimal(error));
    }
    return End(kExitDone, plan.drivers.empty() && plan.packages.empty()
                              ? u"nothing of the maker's models is installed; nothing to remove"
                              : u"listed only (/whatif); nothing changed");
  }
  QuietReport report(log_);
  const uint32_t removed = removal::RunUninstall(platform_, report);
  result_.message = report.message();
  result_.changed = report.changed();
  // 3010: everything is gone, a package's deletion completes at the restart.
  if (removed == kErrorSuccessRebootRequired) {
    return kErrorSuccessRebootRequired;
  }
  return removed == 0 ? kExitDone : FailureExitCode(removed);
}

}  // namespace

uint32_t RunUnattended(UnattendedServices& services, const UnattendedCommand& command, std::u16string_view commandLine) {
  if (!command.quiet && (command.mode == RunMode::Usage || command.mode == RunMode::QuietMissing)) {
    const bool missing = command.mode == RunMode::QuietMissing;
    const std::u16string text =
        missing ? u"These switches need /quiet.\n\n" + std::u16string(UsageText()) : std::u16string(UsageText());
    services.platform.userMessages.MessageBoxW(nullptr, text.c_str(), kUsageCaption, platform::kMbOk);
    return missing ? kExitInvalidCommandLine : kExitDone;
  }
  // Taken before any file is touched: a run that has to wait must leave the
  // result file alone that the running one may report through.
  const RunLock lock(services.session);
  RunResult result;
  uint32_t exitCode = 0;
  std::u16string path = command.logPath;
  if (path.empty()) {
    const kit::trust::SafeFolder folder = kit::trust::PrepareProgramDataFolder(services.files.Folders(), {kLogFolder});
    if (folder.usable()) {
      path = folder.path + u"\\" + kLogFileName;
    } else {
      exitCode = folder.error != 0 ? FailureExitCode(folder.error) : kExitNotSafe;
      result.message = u"no log can be written: " + kit::trust::WhyNotUsable(folder) + u"; nothing changed";
    }
  }
  RunLog log(services.files, services.session, path);
  if (exitCode == 0) {
    if (const uint32_t error = log.Write(u"Quispor " + std::u16string(commandLine)); error != 0) {
      exitCode = FailureExitCode(error);
      result.message = log.linkFound() != LinkFound::None
                           ? u"the log " + WhyRefused(path, log.linkFound()) + u"; nothing changed"
                           : u"the log " + path + u" cannot be written: " + Decimal(error) + u"; nothing changed";
    }
  }
  // Without its log a deployment could not be followed: nothing is done.
  if (exitCode == 0 && lock.state() != LockState::Taken) {
    exitCode = lock.state() == LockState::Busy ? kExitBusy : FailureExitCode(lock.error());
    result.message = lock.state() == LockState::Busy
                         ? u"another run of Quispor is open; nothing changed"
                         : u"the lock of Quispor cannot be made: " + Decimal(lock.error()) + u"; nothing changed";
    log.Write(result.message);
  } else if (exitCode == 0) {
    exitCode = QuietRun(services, command, log, result).Run();
  }
  result.exitCode = exitCode;
  // After something unsafe was found, the result goes only where nobody but
  // the administrators could have prepared a link.
  if (!command.resultPath.empty() && exitCode != kExitBusy &&
      (exitCode != kExitNotSafe || InSafeFolder(services.files.Folders(), command.resultPath))) {
    const FileOutcome written = WriteResultFile(services.files, command.resultPath, result);
    if (written.link != LinkFound::None) {
      log.Write(u"the result file " + WhyRefused(command.resultPath, written.link));
    } else if (written.error != 0) {
      log.Write(u"the result file cannot be written: " + Decimal(written.error));
    }
  }
  log.Write(u"exit code " + Decimal(exitCode));
  return exitCode;
}

}  // namespace quispor::unattended
