#include "wizard/removal/SpoolerRestart.h"

#include <algorithm>

#include "tests/wizard/removal/RemovalFixture.h"

namespace quispor::removal::test {
namespace {

using kit::fakes::FakeServiceManager;

class SpoolerRestartTest : public RemovalFixture {
 protected:
  long Count(const std::string& call) {
    return std::count_if(services_.calls.begin(), services_.calls.end(),
                         [&](const std::string& c) { return c.rfind(call, 0) == 0; });
  }
};

TEST_F(SpoolerRestartTest, RunningSpoolerIsStoppedThenStartedAndPolledUntilRunning) {
  services_.Spooler().stopPolls = 1;
  services_.Spooler().startPolls = 1;
  EXPECT_EQ(RestartSpooler(services_), 0u);
  EXPECT_EQ(services_.calls, (std::vector<std::string>{
                                 "OpenSCManagerA(null, null, 0xf003f)",
                                 "OpenServiceA(0x2000, \"spooler\", 0x34)",
                                 "QueryServiceStatus(0x2008)",
                                 "ControlService(0x2008, 1)",
                                 "QueryServiceStatus(0x2008)",  // stop pending
                                 "Sleep(100)",
                                 "QueryServiceStatus(0x2008)",  // stopped: start
                                 "StartServiceA(0x2008, 0, null)",
                                 "Sleep(100)",
                                 "QueryServiceStatus(0x2008)",  // start pending
                                 "Sleep(100)",
                                 "QueryServiceStatus(0x2008)",  // running
                                 "CloseServiceHandle(0x2000)",
                                 "CloseServiceHandle(0x2008)",
                                 "Sleep(100)",
                             }));
  EXPECT_EQ(Log(), Stored({"RestartSpooler Enter\r\n", "RestartSpooler QueryServiceStatus break"}));
  EXPECT_EQ(services_.Spooler().state, platform::kServiceRunning);
  EXPECT_EQ(services_.Spooler().stops, 1u);
  EXPECT_EQ(services_.Spooler().starts, 1u);
  EXPECT_EQ(services_.OpenHandles(), 0u);
}

TEST_F(SpoolerRestartTest, StoppedSpoolerIsStartedWithoutAStopRequest) {
  services_.Spooler().state = platform::kServiceStopped;
  services_.Spooler().startPolls = 0;
  EXPECT_EQ(RestartSpooler(services_), 0u);
  EXPECT_EQ(Count("ControlService"), 0);
  EXPECT_EQ(Count("StartServiceA"), 1);
  EXPECT_EQ(services_.Spooler().state, platform::kServiceRunning);
  EXPECT_EQ(Log(), Stored({"RestartSpooler Enter\r\n", "RestartSpooler QueryServiceStatus break"}));
}

TEST_F(SpoolerRestartTest, SpoolerThatNeverRunsEndsAfterThirtyTwoPauses) {
  services_.Spooler().state = platform::kServiceStopped;
  services_.Spooler().neverStarts = true;
  EXPECT_EQ(RestartSpooler(services_), 0u);
  EXPECT_EQ(Count("QueryServiceStatus"), 1 + 33);
  EXPECT_EQ(Count("Sleep(100)"), 32 + 1);
  EXPECT_EQ(services_.sleptMs, 3300u);
  EXPECT_EQ(Count("StartServiceA"), 1);
  EXPECT_EQ(services_.calls[services_.calls.size() - 4], "QueryServiceStatus(0x2008)");
  EXPECT_EQ(Log(), Stored({"RestartSpooler Enter\r\n", "RestartSpooler QueryServiceStatus break"}));
}

TEST_F(SpoolerRestartTest, ManagerRefusedReturnsAtOnceWithoutPause) {
  services_.FailNext("OpenSCManagerA", 5);
  EXPECT_EQ(RestartSpooler(services_), 5u);
  EXPECT_EQ(services_.calls, (std::vector<std::string>{"OpenSCManagerA(null, null, 0xf003f)"}));
  EXPECT_EQ(Log(), Stored({"RestartSpooler Enter\r\n", "RestartSpooler,error=0x5\r\n"}));
}

TEST_F(SpoolerRestartTest, MissingServiceClosesTheManagerAndPauses) {
  services_.services.front().name = "Spooler2";
  EXPECT_EQ(RestartSpooler(services_), FakeServiceManager::kErrorServiceDoesNotExist);
  EXPECT_EQ(services_.calls,
            (std::vector<std::string>{"OpenSCManagerA(null, null, 0xf003f)", "OpenServiceA(0x2000, \"spooler\", 0x34)",
                                      "CloseServiceHandle(0x2000)", "Sleep(100)"}));
  EXPECT_EQ(Log(), Stored({"RestartSpooler Enter\r\n", "RestartSpooler,OpenServiceA error=0x424\r\n"}));
  EXPECT_EQ(services_.OpenHandles(), 0u);
}

TEST_F(SpoolerRestartTest, RefusedStopIsLoggedAndTheStillRunningServiceEndsThePoll) {
  services_.FailNext("ControlService", 1061);
  EXPECT_EQ(RestartSpooler(services_), 1061u);
  EXPECT_EQ(Count("StartServiceA"), 0);
  EXPECT_EQ(Count("Sleep"), 1);
  EXPECT_EQ(Log(), Stored({"RestartSpooler Enter\r\n", "RestartSpooler,ControlService error=0x425\r\n",
                           "RestartSpooler QueryServiceStatus break"}));
}

TEST_F(SpoolerRestartTest, RefusedStartIsRetriedAtEveryPollAndReported) {
  services_.Spooler().state = platform::kServiceStopped;
  for (int i = 0; i < 40; ++i) {
    services_.FailNext("StartServiceA", 5);
  }
  EXPECT_EQ(RestartSpooler(services_), 5u);
  EXPECT_EQ(Count("StartServiceA"), 32);
  std::string expected = Stored({"RestartSpooler Enter\r\n"});
  for (int i = 0; i < 32; ++i) {
    expected += Stored({"RestartSpooler,ReStartService StartServiceA error=0x5\r\n"});
  }
  EXPECT_EQ(Log(), expected + Stored({"RestartSpooler QueryServiceStatus break"}));
}

TEST_F(SpoolerRestartTest, FailedStatusQueryEndsThePollSilently) {
  services_.FailNext("QueryServiceStatus", 0);
  services_.FailNext("QueryServiceStatus", 6);
  EXPECT_EQ(RestartSpooler(services_), 0u);
  EXPECT_EQ(Log(), Stored({"RestartSpooler Enter\r\n"}));
  EXPECT_EQ(Count("Sleep"), 1);
  EXPECT_EQ(services_.OpenHandles(), 0u);
}

}  // namespace
}  // namespace quispor::removal::test
