// Stops the print spooler service (when it runs) and starts it again, so
// that it lets go of a driver it still holds.
#pragma once

#include <cstdint>

#include "wizard/engine/platform/ServiceManager.h"

namespace quispor::removal {

// Polls at most 32 times, 100 ms apart: starts the service when it is seen
// stopped and ends when it is seen running. The last error code met, or 0.
uint32_t RestartSpooler(platform::ServiceManager& services);

}  // namespace quispor::removal
