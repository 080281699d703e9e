#include "wizard/unattended/ExitCodes.h"

namespace quispor::unattended {

uint32_t FailureExitCode(uint32_t code) {
  switch (code) {
    case 0:
    case 1707:  // "installation completed successfully"
    case 1641:  // ERROR_SUCCESS_REBOOT_INITIATED
    case 3010:  // ERROR_SUCCESS_REBOOT_REQUIRED
    case 0xFFFFFFFF:  // a sequence's -1 with no Windows code behind it
      return kExitInstallFailure;
    default:
      return code;
  }
}

uint32_t InstallExitCode(int32_t result, uint32_t printerStepCode) {
  if (result == 0) {
    return kExitDone;
  }
  if (result == -1 && printerStepCode != 0) {
    return FailureExitCode(printerStepCode);
  }
  return FailureExitCode(static_cast<uint32_t>(result));
}

}  // namespace quispor::unattended
