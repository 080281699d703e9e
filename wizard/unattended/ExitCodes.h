// The exit codes of an unattended run, as deployment engines read them: 0
// (and 1707) success, 3010 and 1641 a reboot, 1618 "retry later", anything
// else a failure.
#pragma once

#include <cstdint>

namespace quispor::unattended {

inline constexpr uint32_t kExitDone = 0;
inline constexpr uint32_t kExitAccessDenied = 5;            // no administrator access
inline constexpr uint32_t kExitNoUsbPort = 1168;            // ERROR_NOT_FOUND
inline constexpr uint32_t kExitBusy = 1618;                 // ERROR_INSTALL_ALREADY_RUNNING
inline constexpr uint32_t kExitInvalidCommandLine = 1639;   // ERROR_INVALID_COMMAND_LINE
inline constexpr uint32_t kExitInstallFailure = 1603;       // ERROR_INSTALL_FAILURE
inline constexpr uint32_t kErrorUnknownPort = 1796;         // ERROR_UNKNOWN_PORT
// ERROR_INVALID_OWNER: the log folder's owner or rights are not safe, or a
// link stands where the log or the result file goes.
inline constexpr uint32_t kExitNotSafe = 1307;

// A failed step's code as the exit code. A code that a deployment engine
// would read as success or as a reboot (0, 1707, 3010, 1641), and a
// sequence's -1 (4294967295), become 1603.
uint32_t FailureExitCode(uint32_t code);

// The exit code of the installation sequence's result. Its -1 (the first
// printer creation failed for another reason than a taken name) gives way to
// the spooler's own code of that step when there is one.
uint32_t InstallExitCode(int32_t result, uint32_t printerStepCode);

}  // namespace quispor::unattended
