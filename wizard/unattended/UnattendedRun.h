// The wizard's work without its window: an installation or removal for a
// deployment engine, reported in a log and a result file and ended with an
// exit code it can act on.
#pragma once

#include <cstdint>
#include <string_view>

#include "wizard/engine/platform/Platform.h"
#include "wizard/unattended/RunPlatform.h"
#include "wizard/unattended/Switches.h"

namespace quispor::unattended {

struct UnattendedServices {
  platform::Platform& platform;
  RunFiles& files;
  RunSession& session;
};

// Carries out command (any mode but Interactive) and returns the exit code.
// Usage and QuietMissing show the usage in a message box (exit 0 and 1639);
// a quiet run shows nothing: it logs commandLine, each step and its code and
// the exit code, and writes the result file when one is asked for.
uint32_t RunUnattended(UnattendedServices& services, const UnattendedCommand& command, std::u16string_view commandLine);

}  // namespace quispor::unattended
