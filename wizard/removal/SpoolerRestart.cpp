#include "wizard/removal/SpoolerRestart.h"

#include "wizard/removal/LogText.h"

namespace quispor::removal {
namespace {

constexpr uint32_t kPollBudget = 32;
constexpr uint32_t kPauseMs = 100;
constexpr uint32_t kSpoolerAccess =
    platform::kServiceQueryStatus | platform::kServiceStart | platform::kServiceStop;  // 0x34

}  // namespace

uint32_t RestartSpooler(platform::ServiceManager& services) {
  Log(u"RestartSpooler Enter\r\n");
  uint32_t result = 0;

  platform::OpenService manager;
  uint32_t error = services.OpenSCManagerA(nullptr, nullptr, platform::kScManagerAllAccess, manager.put(services));
  if (error != 0) {
    Log(u"RestartSpooler,error=0x" + Hex(error) + u"\r\n");
    return error;
  }
  platform::OpenService spooler;
  error = services.OpenServiceA(manager.get(), "spooler", kSpoolerAccess, spooler.put(services));
  if (error != 0) {
    Log(u"RestartSpooler,OpenServiceA error=0x" + Hex(error) + u"\r\n");
    manager.reset();
    services.Sleep(kPauseMs);
    return error;
  }

  platform::ServiceStatus status{};
  if (services.QueryServiceStatus(spooler.get(), &status) == 0 && status.dwCurrentState == platform::kServiceRunning) {
    error = services.ControlService(spooler.get(), platform::kServiceControlStop, &status);
    if (error != 0) {
      result = error;
      Log(u"RestartSpooler,ControlService error=0x" + Hex(error) + u"\r\n");
    }
  }

  uint32_t budget = kPollBudget;
  while (services.QueryServiceStatus(spooler.get(), &status) == 0) {
    if (budget == 0 || status.dwCurrentState == platform::kServiceRunning) {
      Log(u"RestartSpooler QueryServiceStatus break");
      break;
    }
    --budget;
    if (status.dwCurrentState == platform::kServiceStopped) {
      error = services.StartServiceA(spooler.get(), 0, nullptr);
      if (error != 0) {
        result = error;
        Log(u"RestartSpooler,ReStartService StartServiceA error=0x" + Hex(error) + u"\r\n");
      }
    }
    services.Sleep(kPauseMs);
  }

  manager.reset();
  spooler.reset();
  services.Sleep(kPauseMs);
  return result;
}

}  // namespace quispor::removal
