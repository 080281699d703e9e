// The platform services the removal runs on: the program binds the Win32
// set, tests bind fakes.
#pragma once

#include "wizard/engine/platform/CodePage.h"
#include "wizard/engine/platform/CrtFiles.h"
#include "wizard/engine/platform/DeviceSetup.h"
#include "wizard/engine/platform/FileSearch.h"
#include "wizard/engine/platform/Processes.h"
#include "wizard/engine/platform/ServiceManager.h"
#include "wizard/engine/platform/Spooler.h"

namespace quispor::removal {

struct RemovalServices {
  platform::Spooler& spooler;
  platform::ServiceManager& serviceManager;
  platform::FileSearch& fileSearch;
  platform::CrtFiles& files;  // reads the driver store's INF files
  platform::CodePage& codePage;
  platform::Processes& processes;
  platform::DeviceSetup& deviceSetup;  // the re-enumeration after each driver
};

}  // namespace quispor::removal
