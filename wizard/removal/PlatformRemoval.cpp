#include "wizard/removal/PlatformRemoval.h"

#include "wizard/removal/RunUninstall.h"

namespace quispor::removal {

RemovalServices RemovalServicesOf(platform::Platform& platform) {
  return RemovalServices{platform.spooler,  platform.serviceManager, platform.fileSearch, platform.files,
                         platform.codePage, platform.processes,      platform.deviceSetup};
}

uint32_t RunUninstall(platform::Platform& platform, SequenceReport& report) {
  RemovalServices services = RemovalServicesOf(platform);
  return RunUninstall(services, report);
}

}  // namespace quispor::removal
