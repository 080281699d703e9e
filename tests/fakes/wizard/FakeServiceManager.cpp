#include "tests/fakes/wizard/FakeServiceManager.h"

#include "tests/fakes/wizard/FakeHelpers.h"
#include "tests/fakes/wizard/FakeText.h"

namespace kit::fakes {
namespace {

using detail::HexText;
using detail::TakeQueuedFailure;

using namespace quispor::platform;

}  // namespace

bool FakeServiceManager::TakeFailure(const std::string& call, uint32_t* error) {
  return TakeQueuedFailure(failures_, call, error);
}

std::vector<std::string> FakeServiceManager::CallsWithoutSleeps() const {
  std::vector<std::string> out;
  for (const std::string& c : calls) {
    if (c.rfind("Sleep(", 0) != 0) {
      out.push_back(c);
    }
  }
  return out;
}

FakeService* FakeServiceManager::ServiceOf(ServiceHandle handle, uint32_t neededAccess, uint32_t* error) {
  auto it = handles_.find(handle);
  if (it == handles_.end() || it->second.manager) {
    *error = kErrorInvalidHandle;
    return nullptr;
  }
  if ((it->second.access & neededAccess) != neededAccess) {
    *error = kErrorAccessDenied;
    return nullptr;
  }
  return &services[it->second.service];
}

void FakeServiceManager::Enter(FakeService& service, uint32_t state) {
  service.state = state;
  if (service.stateChanged) {
    service.stateChanged(state);
  }
}

void FakeServiceManager::Fill(const FakeService& service, ServiceStatus* status) const {
  *status = ServiceStatus{};
  status->dwServiceType = 0x110;  // own process, interactive
  status->dwCurrentState = service.state;
  status->dwControlsAccepted = service.state == kServiceRunning ? 1 : 0;
}

uint32_t FakeServiceManager::OpenSCManagerA(const char* machineName, const char* databaseName,
                                            uint32_t desiredAccess, ServiceHandle* manager) {
  calls.push_back("OpenSCManagerA(" + Quote(machineName) + ", " + Quote(databaseName) + ", " + HexText(desiredAccess) +
                  ")");
  *manager = 0;
  uint32_t error = 0;
  if (TakeFailure("OpenSCManagerA", &error)) {
    return error;
  }
  const ServiceHandle h = next_;
  next_ += 8;
  handles_[h] = Open{true, 0, desiredAccess};
  *manager = h;
  return 0;
}

uint32_t FakeServiceManager::OpenServiceA(ServiceHandle manager, const char* serviceName, uint32_t desiredAccess,
                                          ServiceHandle* service) {
  calls.push_back("OpenServiceA(" + HexText(manager) + ", " + Quote(serviceName) + ", " + HexText(desiredAccess) + ")");
  *service = 0;
  uint32_t error = 0;
  if (TakeFailure("OpenServiceA", &error)) {
    return error;
  }
  auto it = handles_.find(manager);
  if (it == handles_.end() || !it->second.manager) {
    return kErrorInvalidHandle;
  }
  for (std::size_t i = 0; i < services.size(); ++i) {
    if (serviceName != nullptr && EqualsNoCase(services[i].name, serviceName)) {
      const ServiceHandle h = next_;
      next_ += 8;
      handles_[h] = Open{false, i, desiredAccess};
      *service = h;
      return 0;
    }
  }
  return kErrorServiceDoesNotExist;
}

uint32_t FakeServiceManager::QueryServiceStatus(ServiceHandle handle, ServiceStatus* status) {
  calls.push_back("QueryServiceStatus(" + HexText(handle) + ")");
  uint32_t error = 0;
  if (TakeFailure("QueryServiceStatus", &error)) {
    return error;
  }
  FakeService* service = ServiceOf(handle, kServiceQueryStatus, &error);
  if (service == nullptr) {
    return error;
  }
  const std::size_t index = handles_[handle].service;
  if (service->state == kServiceStopPending || service->state == kServiceStartPending) {
    uint32_t& left = pendingPolls_[index];
    if (left > 0) {
      --left;
    } else if (service->state == kServiceStopPending) {
      Enter(*service, kServiceStopped);
    } else if (!service->neverStarts) {
      Enter(*service, kServiceRunning);
    }
  }
  Fill(*service, status);
  return 0;
}

uint32_t FakeServiceManager::ControlService(ServiceHandle handle, uint32_t control, ServiceStatus* status) {
  calls.push_back("ControlService(" + HexText(handle) + ", " + std::to_string(control) + ")");
  uint32_t error = 0;
  if (TakeFailure("ControlService", &error)) {
    return error;
  }
  if (control != kServiceControlStop) {
    return kErrorServiceCannotAcceptControl;
  }
  FakeService* service = ServiceOf(handle, kServiceStop, &error);
  if (service == nullptr) {
    return error;
  }
  if (service->state == kServiceStopped) {
    return kErrorServiceNotActive;
  }
  if (service->state != kServiceRunning) {
    return kErrorServiceCannotAcceptControl;
  }
  Enter(*service, kServiceStopPending);
  ++service->stops;
  pendingPolls_[handles_[handle].service] = service->stopPolls;
  Fill(*service, status);
  return 0;
}

uint32_t FakeServiceManager::StartServiceA(ServiceHandle handle, uint32_t argumentCount, const char** arguments) {
  calls.push_back("StartServiceA(" + HexText(handle) + ", " + std::to_string(argumentCount) + ", " +
                  (arguments ? "set" : "null") + ")");
  uint32_t error = 0;
  if (TakeFailure("StartServiceA", &error)) {
    return error;
  }
  FakeService* service = ServiceOf(handle, kServiceStart, &error);
  if (service == nullptr) {
    return error;
  }
  if (service->state != kServiceStopped) {
    return kErrorServiceAlreadyRunning;
  }
  Enter(*service, kServiceStartPending);
  ++service->starts;
  pendingPolls_[handles_[handle].service] = service->startPolls;
  return 0;
}

uint32_t FakeServiceManager::CloseServiceHandle(ServiceHandle handle) {
  calls.push_back("CloseServiceHandle(" + HexText(handle) + ")");
  uint32_t error = 0;
  if (TakeFailure("CloseServiceHandle", &error)) {
    return error;
  }
  return handles_.erase(handle) == 1 ? 0 : kErrorInvalidHandle;
}

void FakeServiceManager::Sleep(uint32_t milliseconds) {
  calls.push_back("Sleep(" + std::to_string(milliseconds) + ")");
  sleptMs += milliseconds;
}

}  // namespace kit::fakes
