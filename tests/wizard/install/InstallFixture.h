// A 64-bit Windows machine for the installation tests: the wizard at
// C:\Kit\setup.exe with the driver package beside it, the spooler's x64
// driver directory on disk, English texts unless a test asks for Chinese.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeDisk.h"
#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeSystemInfo.h"
#include "tests/fakes/wizard/RecordingReport.h"
#include "wizard/engine/install/Install.h"
#include "wizard/shared/PoText.h"

namespace quispor::testing {

inline constexpr const char16_t* kX64Directory = u"C:\\Windows\\system32\\spool\\DRIVERS\\x64";
inline constexpr const char16_t* kX86Directory = u"C:\\Windows\\system32\\spool\\DRIVERS\\W32X86";

class InstallTest : public ::testing::Test {
 protected:
  InstallTest() {
    UseLanguage(0x0409);
    spooler.disk = &disk;
    disk.folders.Put(kX64Directory);
    disk.folders.Put(kX86Directory);
    for (const char16_t* name : {u"VEXO_Printer_Render_64.dll", u"VEXO_Printer_UI_64.dll", u"VEXO_Printer_Render.dll",
                                 u"VEXO_Printer_UI.dll", u"VEXO_80.DAT", u"VEXO_58.DAT"}) {
      disk.Put(std::u16string(u"C:\\Kit\\") + name);
    }
  }
  ~InstallTest() override {
    SetLanguageIdSource({});
    ResetPoLanguageForTest();
  }

  static void UseLanguage(uint16_t id) {
    SetLanguageIdSource([id] { return id; });
    ResetPoLanguageForTest();
  }

  static kit::fakes::FakePrinter Printer(const std::u16string& name, const std::u16string& driver) {
    kit::fakes::FakePrinter printer;
    printer.name = name;
    printer.driver = driver;
    return printer;
  }
  static kit::fakes::FakeDriver Driver(const std::u16string& name) {
    kit::fakes::FakeDriver driver;
    driver.name = name;
    return driver;
  }

  // modelIndex 2 is VEXO_80.
  int32_t Run(uint16_t modelIndex, const char16_t* portName, bool setAsDefault = true) {
    report = kit::fakes::RecordingReport{};
    const InstallChoices choices{setAsDefault, modelIndex, ModelCatalogue[modelIndex].name, portName};
    return RunInstallSequence(services, choices, state, report);
  }
  // The one text of the last run.
  std::u16string Outcome() const { return report.texts.size() == 1 ? report.texts[0] : u"<not one text>"; }

  // The calls of the spooler whose names start with prefix.
  std::vector<std::string> SpoolerCalls(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& c : spooler.calls) {
      if (c.rfind(prefix, 0) == 0) out.push_back(c);
    }
    return out;
  }

  kit::fakes::FakeSpooler spooler;
  kit::fakes::FakeSystemInfo system;
  kit::fakes::FakeDisk disk;
  InstallServices services{spooler, system, disk};
  InstallState state;
  kit::fakes::RecordingReport report;
};

}  // namespace quispor::testing
