#include "console/opos/CheckHealth.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "console/opos/OleError.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

constexpr std::int32_t kDispEException = static_cast<std::int32_t>(0x80020009);

// Records every call of the control and of its host; answers with the codes
// set in results and fails the COM call named in failAt.
struct ControlScript {
  std::vector<std::string> log;
  std::map<std::string, std::int32_t> results;
  std::string failAt;
  bool cannotCreate = false;
};

class RecordingControl : public vantrel::PosPrinterControl {
 public:
  explicit RecordingControl(ControlScript& script) : script_(script) {}
  ~RecordingControl() override { script_.log.push_back("release host"); }

  std::int32_t Open(const std::string& name) override { return Call("Open", "Open(" + name + ")"); }
  std::int32_t ClaimDevice(std::int32_t timeout) override {
    return Call("ClaimDevice", "ClaimDevice(" + std::to_string(timeout) + ")");
  }
  void SetDeviceEnabled(bool enabled) override {
    Call("DeviceEnabled", enabled ? "DeviceEnabled=true" : "DeviceEnabled=false");
  }
  std::int32_t CheckHealth(std::int32_t level) override {
    return Call("CheckHealth", "CheckHealth(" + std::to_string(level) + ")");
  }
  std::int32_t ReleaseDevice() override { return Call("ReleaseDevice", "ReleaseDevice"); }
  std::int32_t Close() override { return Call("Close", "Close"); }

 private:
  std::int32_t Call(const std::string& name, const std::string& line) {
    script_.log.push_back(line);
    if (script_.failAt == name) throw vantrel::OleError("OPOS call " + name + " failed", "Invoke", kDispEException);
    const auto it = script_.results.find(name);
    return it == script_.results.end() ? 0 : it->second;
  }
  ControlScript& script_;
};

class ScriptedFactory : public vantrel::PosPrinterControlFactory {
 public:
  explicit ScriptedFactory(ControlScript& script) : script_(script) {}
  std::unique_ptr<vantrel::PosPrinterControl> Create() override {
    script_.log.push_back("create host");
    if (script_.cannotCreate) {
      throw vantrel::OleError("Cannot create the OPOS POSPrinter control", "CoCreateInstance",
                              static_cast<std::int32_t>(0x80040154));
    }
    return std::make_unique<RecordingControl>(script_);
  }

 private:
  ControlScript& script_;
};

class RecordingSink : public vantrel::MessageSink {
 public:
  explicit RecordingSink(ControlScript& script) : script_(script) {}
  void ShowMessage(const std::string& text, const std::string& caption) override {
    script_.log.push_back("box \"" + text + "\" / \"" + caption + "\"");
  }

 private:
  ControlScript& script_;
};

class CheckHealthTest : public testing::Test {
 protected:
  void Run(const std::string& field, std::optional<std::string> node = std::nullopt) {
    vantrel::RunCheckHealth(field, node, factory, sink);
  }
  ControlScript script;
  ScriptedFactory factory{script};
  RecordingSink sink{script};
};

TEST_F(CheckHealthTest, AHealthyDeviceRunsTheWholeSequence) {
  Run("Printer A", "Other");
  EXPECT_THAT(script.log,
              ElementsAre("create host", "Open(Printer A)", "ClaimDevice(5000)", "DeviceEnabled=true",
                          "CheckHealth(3)", "box \"CheckHealth OK\" / \"Information\"",
                          "DeviceEnabled=false", "ReleaseDevice", "Close", "release host"));
}

TEST_F(CheckHealthTest, AnyNonZeroHealthResultFailsAndStillDisablesReleasesAndCloses) {
  for (std::int32_t code : {111, 1, -1}) {
    script.log.clear();
    script.results["CheckHealth"] = code;
    Run("Printer A");
    EXPECT_THAT(script.log,
                ElementsAre("create host", "Open(Printer A)", "ClaimDevice(5000)", "DeviceEnabled=true",
                            "CheckHealth(3)", "box \"CheckHealth Fail\" / \"Information\"",
                            "DeviceEnabled=false", "ReleaseDevice", "Close", "release host"))
        << code;
  }
}

TEST_F(CheckHealthTest, ResultsOfReleaseAndCloseAreIgnored) {
  script.results["ReleaseDevice"] = 111;
  script.results["Close"] = 111;
  Run("Printer A");
  EXPECT_EQ(script.log.back(), "release host");
}

TEST_F(CheckHealthTest, AnOpenFailureNeitherClaimsNorCloses) {
  script.results["Open"] = 109;
  Run("Nowhere");
  EXPECT_THAT(script.log, ElementsAre("create host", "Open(Nowhere)",
                                      "box \"Can not open device\" / \"Error\"", "release host"));
}

TEST_F(CheckHealthTest, AClaimFailureClosesAfterTheBoxAndEnablesNothing) {
  script.results["ClaimDevice"] = 102;
  Run("Printer A");
  EXPECT_THAT(script.log, ElementsAre("create host", "Open(Printer A)", "ClaimDevice(5000)",
                                      "box \"Can not claim device\" / \"Error\"", "Close",
                                      "release host"));
}

TEST_F(CheckHealthTest, AnEmptyFieldWithoutACurrentNodeDoesNothingButCreateTheHost) {
  Run("");
  EXPECT_THAT(script.log, ElementsAre("create host", "release host"));
}

TEST_F(CheckHealthTest, AnEmptyFieldUsesTheCurrentNodeTextEvenAClassNode) {
  Run("", "POSPrinter");
  ASSERT_GE(script.log.size(), 2u);
  EXPECT_EQ(script.log[1], "Open(POSPrinter)");
}

TEST_F(CheckHealthTest, TheNameIsPassedExactlyAsTyped) {
  Run("  alt name ", "Printer A");
  EXPECT_EQ(script.log[1], "Open(  alt name )");
}

TEST_F(CheckHealthTest, AControlThatCannotBeCreatedIsReportedEvenWithoutAName) {
  script.cannotCreate = true;
  try {
    Run("");
    FAIL() << "no error raised";
  } catch (const vantrel::OleError& error) {
    EXPECT_EQ(error.hresult(), static_cast<std::int32_t>(0x80040154));
    EXPECT_THAT(error.what(), testing::HasSubstr("0x80040154"));
  }
  EXPECT_THAT(script.log, ElementsAre("create host"));
}

TEST_F(CheckHealthTest, AFailingComCallStopsTheSequenceAndReleasesTheHost) {
  struct Case {
    const char* failAt;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"Open", {"create host", "Open(P)", "release host"}},
      {"ClaimDevice", {"create host", "Open(P)", "ClaimDevice(5000)", "release host"}},
      {"DeviceEnabled", {"create host", "Open(P)", "ClaimDevice(5000)", "DeviceEnabled=true", "release host"}},
      {"CheckHealth",
       {"create host", "Open(P)", "ClaimDevice(5000)", "DeviceEnabled=true", "CheckHealth(3)", "release host"}},
      {"ReleaseDevice",
       {"create host", "Open(P)", "ClaimDevice(5000)", "DeviceEnabled=true", "CheckHealth(3)",
        "box \"CheckHealth OK\" / \"Information\"", "DeviceEnabled=false", "ReleaseDevice", "release host"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failAt);
    script.log.clear();
    script.failAt = c.failAt;
    EXPECT_THROW(Run("P"), vantrel::OleError);
    EXPECT_EQ(script.log, c.expected);
  }
}

}  // namespace
