#include "wizard/engine/win32/Win32ServiceManager.h"

#include <windows.h>

#include <cstddef>

namespace quispor::win32 {
namespace {

SC_HANDLE S(platform::ServiceHandle handle) { return reinterpret_cast<SC_HANDLE>(handle); }

uint32_t Result(BOOL ok) { return ok ? 0 : ::GetLastError(); }

}  // namespace

static_assert(sizeof(platform::ServiceStatus) == sizeof(SERVICE_STATUS));
static_assert(offsetof(platform::ServiceStatus, dwCurrentState) == offsetof(SERVICE_STATUS, dwCurrentState));
static_assert(sizeof(platform::ServiceHandle) == sizeof(SC_HANDLE));
static_assert(platform::kScManagerAllAccess == SC_MANAGER_ALL_ACCESS);
static_assert((platform::kServiceQueryStatus | platform::kServiceStart | platform::kServiceStop) == 0x34);
static_assert(platform::kServiceControlStop == SERVICE_CONTROL_STOP);
static_assert(platform::kServiceStopped == SERVICE_STOPPED);
static_assert(platform::kServiceStartPending == SERVICE_START_PENDING);
static_assert(platform::kServiceStopPending == SERVICE_STOP_PENDING);
static_assert(platform::kServiceRunning == SERVICE_RUNNING);

uint32_t Win32ServiceManager::OpenSCManagerA(const char* machineName, const char* databaseName,
                                             uint32_t desiredAccess, platform::ServiceHandle* manager) {
  const SC_HANDLE h = ::OpenSCManagerA(machineName, databaseName, desiredAccess);
  const uint32_t error = h != nullptr ? 0 : ::GetLastError();
  *manager = reinterpret_cast<platform::ServiceHandle>(h);
  return error;
}

uint32_t Win32ServiceManager::OpenServiceA(platform::ServiceHandle manager, const char* serviceName,
                                           uint32_t desiredAccess, platform::ServiceHandle* service) {
  const SC_HANDLE h = ::OpenServiceA(S(manager), serviceName, desiredAccess);
  const uint32_t error = h != nullptr ? 0 : ::GetLastError();
  *service = reinterpret_cast<platform::ServiceHandle>(h);
  return error;
}

uint32_t Win32ServiceManager::QueryServiceStatus(platform::ServiceHandle service, platform::ServiceStatus* status) {
  return Result(::QueryServiceStatus(S(service), reinterpret_cast<SERVICE_STATUS*>(status)));
}

uint32_t Win32ServiceManager::ControlService(platform::ServiceHandle service, uint32_t control,
                                             platform::ServiceStatus* status) {
  return Result(::ControlService(S(service), control, reinterpret_cast<SERVICE_STATUS*>(status)));
}

uint32_t Win32ServiceManager::StartServiceA(platform::ServiceHandle service, uint32_t argumentCount,
                                            const char** arguments) {
  return Result(::StartServiceA(S(service), argumentCount, arguments));
}

uint32_t Win32ServiceManager::CloseServiceHandle(platform::ServiceHandle handle) {
  return Result(::CloseServiceHandle(S(handle)));
}

void Win32ServiceManager::Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace quispor::win32
