// The service control manager calls of the spooler restart, shaped like
// advapi32 (the A forms) so the Win32 adapter passes them straight through.
// Each returns 0 when the Win32 call succeeds, otherwise the GetLastError
// code taken right after it. The restart's pauses (kernel32 Sleep) belong
// here too, so that a test sees them in order with the service calls.
#pragma once

#include <cstdint>

#include "wizard/engine/platform/OwnedHandle.h"

namespace quispor::platform {

// An opaque SC_HANDLE, as an integer.
using ServiceHandle = std::uintptr_t;

inline constexpr uint32_t kScManagerAllAccess = 0xF003F;
inline constexpr uint32_t kServiceQueryStatus = 0x0004;
inline constexpr uint32_t kServiceStart = 0x0010;
inline constexpr uint32_t kServiceStop = 0x0020;
inline constexpr uint32_t kServiceControlStop = 1;

inline constexpr uint32_t kServiceStopped = 1;
inline constexpr uint32_t kServiceStartPending = 2;
inline constexpr uint32_t kServiceStopPending = 3;
inline constexpr uint32_t kServiceRunning = 4;

// SERVICE_STATUS, field for field (the adapter checks the layout).
struct ServiceStatus {
  uint32_t dwServiceType;
  uint32_t dwCurrentState;
  uint32_t dwControlsAccepted;
  uint32_t dwWin32ExitCode;
  uint32_t dwServiceSpecificExitCode;
  uint32_t dwCheckPoint;
  uint32_t dwWaitHint;
};

class ServiceManager {
 public:
  virtual ~ServiceManager() = default;

  // OpenSCManagerA(machineName, databaseName, desiredAccess): *manager is 0
  // on failure.
  virtual uint32_t OpenSCManagerA(const char* machineName, const char* databaseName, uint32_t desiredAccess,
                                  ServiceHandle* manager) = 0;
  // OpenServiceA(manager, serviceName, desiredAccess): *service is 0 on failure.
  virtual uint32_t OpenServiceA(ServiceHandle manager, const char* serviceName, uint32_t desiredAccess,
                                ServiceHandle* service) = 0;
  // QueryServiceStatus(service, status).
  virtual uint32_t QueryServiceStatus(ServiceHandle service, ServiceStatus* status) = 0;
  // ControlService(service, control, status).
  virtual uint32_t ControlService(ServiceHandle service, uint32_t control, ServiceStatus* status) = 0;
  // StartServiceA(service, argumentCount, arguments).
  virtual uint32_t StartServiceA(ServiceHandle service, uint32_t argumentCount, const char** arguments) = 0;
  // CloseServiceHandle(handle).
  virtual uint32_t CloseServiceHandle(ServiceHandle handle) = 0;
  // Sleep(milliseconds).
  virtual void Sleep(uint32_t milliseconds) = 0;
};

// A manager or service handle the logic holds; closed with CloseServiceHandle.
using OpenService = OwnedHandle<ServiceManager, ServiceHandle, &ServiceManager::CloseServiceHandle>;

}  // namespace quispor::platform
