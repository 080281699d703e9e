#include "wizard/engine/install/Install.h"

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "wizard/engine/NameCompare.h"
#include "wizard/engine/PrinterScan.h"
#include "wizard/engine/SystemFacts.h"
#include "wizard/engine/WideFormat.h"
#include "wizard/engine/WideText.h"
#include "wizard/shared/PoText.h"

namespace quispor {
namespace {

char16_t* Mutable(const char16_t* text) { return const_cast<char16_t*>(text); }

void Step(SequenceReport* steps, SequenceStep step, std::u16string_view subject, uint32_t code) {
  if (steps != nullptr) {
    steps->StepDone(step, subject, code);
  }
}

}  // namespace

InstallState& ProcessInstallState() {
  static InstallState state;
  return state;
}

InstallRequest BuildInstallRequest(bool setAsDefault, uint16_t modelIndex, const char16_t* modelName,
                                   const char16_t* portName) {
  InstallRequest request;
  request.setAsDefault = setAsDefault ? 1 : 0;
  CopyWideText(request.driverName, kInstallNameCapacity, View(modelName));
  CopyWideText(request.printerName, kInstallNameCapacity, View(modelName));
  CopyWideText(request.portName, kInstallNameCapacity, View(portName));
  if (modelIndex < modelCount) {
    for (int slot = 0; slot < 3; ++slot) {
      CopyWideText(request.driverFiles[slot], kInstallNameCapacity, View(ModelCatalogue[modelIndex].driverFiles[slot]));
    }
  }
  return request;
}

void ApplyX64FileNames(InstallRequest& request) {
  for (int slot = 0; slot < 2; ++slot) {
    const std::u16string_view name(request.driverFiles[slot]);
    const std::size_t dll = FindIgnoringCase(name, u".dll");
    if (dll == std::u16string_view::npos) {
      continue;
    }
    const std::u16string wide = std::u16string(name.substr(0, dll)) + u"_64.dll";
    if (wide.size() < kInstallNameCapacity) {
      CopyWideText(request.driverFiles[slot], kInstallNameCapacity, wide);
    }
  }
}

void CopyDriverFiles(const InstallServices& services, const char16_t* folder, const InstallRequest& request,
                     SequenceReport* steps) {
  // Without the program's folder a bare name would be taken from the current
  // folder; nothing is copied then, and the registration reports the
  // missing files.
  if (View(folder).empty()) {
    return;
  }
  const std::unique_ptr<char16_t[]> directory =
      GetDriverDirectory(services.spooler, IsNative64Bit(services.systemInfo));
  if (!directory) {
    return;
  }
  for (int slot = 0; slot < kDriverFileSlots && request.driverFiles[slot][0] != u'\0'; ++slot) {
    const std::u16string source = std::u16string(folder) + request.driverFiles[slot];
    const std::u16string target = std::u16string(directory.get()) + u"\\" + request.driverFiles[slot];
    Step(steps, SequenceStep::FileCopied, target, services.fileCopy.CopyFileW(source.c_str(), target.c_str(), false));
  }
}

uint32_t AddModelDriver(const InstallServices& services, const InstallRequest& request) {
  char16_t dependentFiles[kDependentFilesChars] = {};
  std::size_t at = 0;
  for (int slot = 0; slot < 3; ++slot) {
    const std::u16string_view name(request.driverFiles[slot]);
    std::memcpy(dependentFiles + at, name.data(), name.size() * sizeof(char16_t));
    at += name.size() + 1;  // the zeroed buffer holds each NUL and the final one
  }
  platform::DriverInfo3W info{};
  info.cVersion = 3;
  info.pName = Mutable(request.driverName);
  info.pEnvironment = Mutable(DriverEnvironmentName(IsNative64Bit(services.systemInfo)));
  info.pDriverPath = Mutable(request.driverFiles[0]);
  info.pDataFile = Mutable(request.driverFiles[2]);
  info.pConfigFile = Mutable(request.driverFiles[1]);
  info.pHelpFile = nullptr;
  info.pDependentFiles = dependentFiles;
  info.pMonitorName = nullptr;
  info.pDefaultDataType = Mutable(u"Raw");
  return services.spooler.AddPrinterDriverW(nullptr, 3, &info);
}

int32_t AddModelPrinter(const InstallServices& services, const InstallRequest& request, InstallState& state,
                        SequenceReport* steps) {
  std::u16string name(request.printerName);
  platform::PrinterInfo2W info{};
  info.pPrinterName = name.data();
  info.pPortName = Mutable(request.portName);
  info.pDriverName = Mutable(request.driverName);
  info.pPrintProcessor = Mutable(u"WinPrint");
  info.pDatatype = Mutable(u"Raw");
  info.Attributes = platform::kPrinterAttributeLocal;

  platform::PrinterHandle handle = 0;
  uint32_t error = services.spooler.AddPrinterW(nullptr, 2, &info, &handle);
  if (handle == 0) {
    // The result keeps -1 for this failure; the step carries the spooler's code.
    Step(steps, SequenceStep::PrinterAdded, name, error);
    if (error != platform::kErrorPrinterAlreadyExists) {
      return -1;
    }
    for (int n = 1; n <= kPrinterNumberLimit && handle == 0; ++n) {
      name = WideFormat(u"%s(%d)", {request.printerName, n});
      info.pPrinterName = name.data();
      error = services.spooler.AddPrinterW(nullptr, 2, &info, &handle);
      if (handle == 0 && error != platform::kErrorPrinterAlreadyExists) {
        Step(steps, SequenceStep::PrinterAdded, name, error);
        return static_cast<int32_t>(error);
      }
    }
    if (handle == 0) {
      return static_cast<int32_t>(platform::kErrorPrinterAlreadyExists);
    }
  }
  platform::OpenPrinter(services.spooler, handle).reset();
  Step(steps, SequenceStep::PrinterAdded, name, 0);
  if (request.setAsDefault != 0) {
    Step(steps, SequenceStep::DefaultPrinterSet, name, services.spooler.SetDefaultPrinterW(name.c_str()));
  }
  CopyWideText(state.lastPrinterName, kLastPrinterNameCapacity, name);
  return 0;
}

int32_t InstallDriverPrinter(const InstallServices& services, const InstallRequest& request, InstallState& state,
                             SequenceReport* steps) {
  if (IsDriverInstalled(services.spooler, request.driverName)) {
    Step(steps, SequenceStep::DriverAlreadyInstalled, request.driverName, 0);
    state.stage = STAGE_PRINTER;
    return AddModelPrinter(services, request, state, steps);
  }
  char16_t folder[kProgramFolderCapacity] = {};
  GetProgramFolder(services.systemInfo, folder);
  CopyDriverFiles(services, folder, request, steps);
  const uint32_t driverError = AddModelDriver(services, request);
  Step(steps, SequenceStep::DriverAdded, request.driverName, driverError);
  if (driverError != 0) {
    state.stage = STAGE_DRIVER;
    return static_cast<int32_t>(driverError);
  }
  state.stage = STAGE_PRINTER;
  return AddModelPrinter(services, request, state, steps);
}

void ComposeInstallOutcome(int32_t result, InstallStage stage, const char16_t* lastPrinterName, char16_t* outcome) {
  std::u16string text;
  if (result == 0) {
    text = WideFormat(u"%s%s.", {lastPrinterName != nullptr ? lastPrinterName : u"",
                                 PoTextOrEmpty("PO_PRINTER_INSTALL_LAST_INFO")});
  } else {
    const char16_t* failure = PoTextOrEmpty(stage == STAGE_DRIVER ? "PO_INSTALL_DRIVER_FAIL" : "PO_INSTALL_PRINTER_FAIL");
    if (result == 5) {
      text = WideFormat(u"%s%s", {failure, PoTextOrEmpty("PO_ERROR_CODE5")});
    } else if (result == static_cast<int32_t>(platform::kErrorUnknownPort)) {
      text = WideFormat(u"%s%s", {failure, PoTextOrEmpty("PO_ERROR_CODE1796")});
    } else {
      text = WideFormat(u"%s -- ERROR CODE = %d", {failure, result});
    }
  }
  std::memset(outcome, 0, kOutcomeCapacity * sizeof(char16_t));
  CopyWideText(outcome, kOutcomeCapacity, text);
}

int32_t RunInstallSequence(const InstallServices& services, const InstallChoices& choices, InstallState& state,
                           SequenceReport& report) {
  report.SequenceStarted();
  InstallRequest request =
      BuildInstallRequest(choices.setAsDefault, choices.modelIndex, choices.modelName, choices.portName);
  if (IsNative64Bit(services.systemInfo)) {
    ApplyX64FileNames(request);
  }
  const int32_t result = InstallDriverPrinter(services, request, state, &report);
  char16_t outcome[kOutcomeCapacity] = {};
  ComposeInstallOutcome(result, state.stage, state.lastPrinterName, outcome);
  report.ShowText(outcome);
  return result;
}

}  // namespace quispor
