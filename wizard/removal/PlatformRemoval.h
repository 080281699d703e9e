// The removal's services taken from the wizard's platform set.
#pragma once

#include <cstdint>

#include "wizard/engine/platform/Platform.h"
#include "wizard/removal/RemovalServices.h"
#include "wizard/shared/SequenceReport.h"

namespace quispor::removal {

// The services of platform, which must outlive the result.
RemovalServices RemovalServicesOf(platform::Platform& platform);

// The uninstall sequence on the wizard's platform set.
uint32_t RunUninstall(platform::Platform& platform, SequenceReport& report);

}  // namespace quispor::removal
