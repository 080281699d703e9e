// The process-wide Win32 implementations of the wizard's platform services.
#pragma once

#include "wizard/engine/platform/Platform.h"

namespace quispor::win32 {

// Created on first use, alive until the process ends.
platform::Platform& SystemPlatform();

}  // namespace quispor::win32
