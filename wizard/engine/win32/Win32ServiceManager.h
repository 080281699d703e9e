// advapi32's service control manager behind the ServiceManager interface,
// call for call.
#pragma once

#include "wizard/engine/platform/ServiceManager.h"

namespace quispor::win32 {

class Win32ServiceManager final : public platform::ServiceManager {
 public:
  uint32_t OpenSCManagerA(const char* machineName, const char* databaseName, uint32_t desiredAccess,
                          platform::ServiceHandle* manager) override;
  uint32_t OpenServiceA(platform::ServiceHandle manager, const char* serviceName, uint32_t desiredAccess,
                        platform::ServiceHandle* service) override;
  uint32_t QueryServiceStatus(platform::ServiceHandle service, platform::ServiceStatus* status) override;
  uint32_t ControlService(platform::ServiceHandle service, uint32_t control, platform::ServiceStatus* status) override;
  uint32_t StartServiceA(platform::ServiceHandle service, uint32_t argumentCount, const char** arguments) override;
  uint32_t CloseServiceHandle(platform::ServiceHandle handle) override;
  void Sleep(uint32_t milliseconds) override;
};

}  // namespace quispor::win32
