// An in-memory service control manager holding the print spooler service:
// states stopped 1, start pending 2, stop pending 3, running 4; a stop or a
// start takes a set number of status queries to complete; names compare
// without case; refusals as Windows gives them (1056 already running, 1062
// not active, 1060 no such service, 5 on demand). Every call is recorded,
// the pauses included.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "wizard/engine/platform/ServiceManager.h"

namespace kit::fakes {

struct FakeService {
  std::string name = "Spooler";
  uint32_t state = quispor::platform::kServiceRunning;
  // How many QueryServiceStatus calls still see the pending state after a
  // stop or a start request.
  uint32_t stopPolls = 1;
  uint32_t startPolls = 1;
  bool neverStarts = false;  // a start stays pending for good
  uint32_t starts = 0;       // StartServiceA calls that were accepted
  uint32_t stops = 0;        // stop requests that were accepted
  // Told every state the service takes, so the fake of what the service is
  // (the spooler) can follow it.
  std::function<void(uint32_t state)> stateChanged;
};

class FakeServiceManager : public quispor::platform::ServiceManager {
 public:
  static constexpr uint32_t kErrorAccessDenied = 5;
  static constexpr uint32_t kErrorInvalidHandle = 6;
  static constexpr uint32_t kErrorServiceAlreadyRunning = 1056;
  static constexpr uint32_t kErrorServiceDoesNotExist = 1060;
  static constexpr uint32_t kErrorServiceCannotAcceptControl = 1061;
  static constexpr uint32_t kErrorServiceNotActive = 1062;

  std::vector<FakeService> services = {FakeService{}};
  std::vector<std::string> calls;
  uint32_t sleptMs = 0;

  // As FakeSpooler::FailNext: the next call of that name fails with error
  // (0 lets it run).
  void FailNext(const std::string& call, uint32_t error) { failures_[call].push_back(error); }

  FakeService& Spooler() { return services.front(); }
  std::size_t OpenHandles() const { return handles_.size(); }
  // The calls with the pauses left out.
  std::vector<std::string> CallsWithoutSleeps() const;

  uint32_t OpenSCManagerA(const char* machineName, const char* databaseName, uint32_t desiredAccess,
                          quispor::platform::ServiceHandle* manager) override;
  uint32_t OpenServiceA(quispor::platform::ServiceHandle manager, const char* serviceName, uint32_t desiredAccess,
                        quispor::platform::ServiceHandle* service) override;
  uint32_t QueryServiceStatus(quispor::platform::ServiceHandle service,
                              quispor::platform::ServiceStatus* status) override;
  uint32_t ControlService(quispor::platform::ServiceHandle service, uint32_t control,
                          quispor::platform::ServiceStatus* status) override;
  uint32_t StartServiceA(quispor::platform::ServiceHandle service, uint32_t argumentCount,
                         const char** arguments) override;
  uint32_t CloseServiceHandle(quispor::platform::ServiceHandle handle) override;
  void Sleep(uint32_t milliseconds) override;

 private:
  struct Open {
    bool manager;
    std::size_t service;  // index into services
    uint32_t access;
  };

  bool TakeFailure(const std::string& call, uint32_t* error);
  FakeService* ServiceOf(quispor::platform::ServiceHandle handle, uint32_t neededAccess, uint32_t* error);
  void Fill(const FakeService& service, quispor::platform::ServiceStatus* status) const;
  static void Enter(FakeService& service, uint32_t state);

  std::map<std::string, std::deque<uint32_t>> failures_;
  std::map<quispor::platform::ServiceHandle, Open> handles_;
  quispor::platform::ServiceHandle next_ = 0x2000;
  // Queries still pending per service index.
  std::map<std::size_t, uint32_t> pendingPolls_;
};

}  // namespace kit::fakes
