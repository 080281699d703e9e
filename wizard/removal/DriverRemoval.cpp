#include "wizard/removal/DriverRemoval.h"

#include "wizard/engine/WideText.h"
#include "wizard/engine/usb/UsbPorts.h"
#include "wizard/removal/LogText.h"
#include "wizard/removal/PackageCleanup.h"
#include "wizard/removal/SpoolerRestart.h"

namespace quispor::removal {
namespace {

uint32_t DeleteDriver(platform::Spooler& spooler, const char16_t* driverName) {
  return spooler.DeletePrinterDriverExW(nullptr, nullptr, driverName, platform::kDpdDeleteUnusedFiles, 0);
}

}  // namespace

uint32_t UninstallOneDriver(RemovalServices& services, RemovalLists& lists, const char16_t* driverName,
                            int32_t modelIndex, SequenceReport* steps) {
  uint32_t error = GetPrinterByDriverName(services.spooler, driverName, lists.printers);
  if (error != 0) {
    Log(u"UninstallOneDriver:: GetPrinterByDriverName Fail\r\n");
    return error;
  }
  GetJobsByName(services.spooler, lists.printers);
  if (!lists.printers.names.empty()) {
    GetMyForms(services.spooler, lists.printers.names.front().c_str(), lists.forms);
  }
  error = DeleteMyPrinters(services.spooler, lists.printers, lists.forms, steps);
  if (error != 0) {
    Log(u"UninstallOneDriver:: DeleteMyPrinters Fail\r\n");
    return error;
  }
  error = DeleteDriver(services.spooler, driverName);
  if (error != 0) {
    Log(u"UninstallOneDriver:: DeletePrinterDriverEx Fail\r\n");
    // The spooler may still hold the driver of the printers just deleted.
    RestartSpooler(services.serviceManager);
    error = DeleteDriver(services.spooler, driverName);
  }
  if (steps != nullptr) {
    steps->StepDone(SequenceStep::DriverDeleted, View(driverName), error);
  }
  if (error != 0) {
    return error;
  }
  std::u16string package;
  const uint32_t packageCode = DeleteMyInfFile(services, modelIndex, steps, &package);
  if (StepSucceeded(packageCode) && !package.empty()) {
    lists.packagesDeleted.push_back(package);
  }
  ReenumerateDevices(services.deviceSetup);
  return packageCode;
}

}  // namespace quispor::removal
