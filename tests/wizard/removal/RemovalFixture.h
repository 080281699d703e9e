// Fakes for the removal's services, a recording report, the debug log bound
// with its flag file present, and English texts.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeCodePage.h"
#include "tests/fakes/wizard/FakeCrtFiles.h"
#include "tests/fakes/wizard/FakeDeviceSetup.h"
#include "tests/fakes/wizard/FakeFileSearch.h"
#include "tests/fakes/wizard/FakeProcesses.h"
#include "tests/fakes/wizard/FakeServiceManager.h"
#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeText.h"
#include "tests/fakes/wizard/RecordingReport.h"
#include "wizard/engine/DebugLog.h"
#include "wizard/removal/LogText.h"
#include "wizard/removal/RemovalServices.h"
#include "wizard/shared/PoText.h"

namespace quispor::removal::test {

// What WriteDebugLog stores for these lines: each "\n" as "\r\n", then CR LF.
inline std::string Stored(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& line : lines) {
    for (char c : line) {
      if (c == '\n') {
        out += '\r';
      }
      out += c;
    }
    out += "\r\n";
  }
  return out;
}

class RemovalFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    BindDebugLog(codePage_, files_);
    files_.File(kDebugFlagPath);
    SetLanguageIdSource([this] { return languageId_; });
    ResetPoLanguageForTest();
    // The spooler is the service the removal restarts.
    services_.Spooler().stateChanged = [this](uint32_t state) { spooler_.ServiceStateChanged(state); };
  }
  void TearDown() override {
    UnbindDebugLog();
    SetLanguageIdSource({});
    ResetPoLanguageForTest();
  }

  std::string Log() { return files_.Exists(kDebugLogPath) ? files_.File(kDebugLogPath).bytes : ""; }
  void ClearLog() { files_.files.erase(kDebugLogPath); }

  void AddPrinter(const std::u16string& name, const std::u16string& driver, uint32_t jobs = 0) {
    kit::fakes::FakePrinter printer;
    printer.name = name;
    printer.driver = driver;
    printer.jobs = jobs;
    spooler_.printers.push_back(printer);
  }
  // A connection to a queue that another computer shares.
  void AddConnection(const std::u16string& name, const std::u16string& driver, bool serverAdministrator) {
    kit::fakes::FakePrinter printer;
    printer.name = name;
    printer.driver = driver;
    printer.attributes = kit::fakes::kPrinterAttributeNetwork;
    printer.serverAdministrator = serverAdministrator;
    spooler_.printers.push_back(printer);
  }
  void AddDriver(const std::u16string& name) { spooler_.drivers.push_back({name, u"Windows x64"}); }

  // An INF file of the driver store, with its bytes, listed after the others.
  void AddInf(const std::u16string& path, const std::string& bytes, bool readOnly = false) {
    search_.paths.push_back(path);
    kit::fakes::FakeFile& file = files_.File(kit::fakes::ToUtf8(path));
    file.bytes = bytes;
    file.readOnly = readOnly;
  }
  // A stand-in for pnputil: "-f -d oemN.inf" removes that INF file.
  void PnputilDeletesPackages() {
    processes_.onStart = [this](const std::u16string& commandLine) {
      const std::u16string marker = u" -f -d ";
      const std::size_t at = commandLine.find(marker);
      if (at == std::u16string::npos) {
        return;
      }
      const std::u16string path = u"C:\\Windows\\inf\\" + commandLine.substr(at + marker.size());
      search_.Remove(path);
      files_.files.erase(kit::fakes::ToUtf8(path));
    };
  }
  bool Exists(const std::u16string& path) { return files_.Exists(kit::fakes::ToUtf8(path)); }

  uint16_t languageId_ = 0x0409;
  kit::fakes::FakeSpooler spooler_;
  kit::fakes::FakeServiceManager services_;
  kit::fakes::FakeFileSearch search_;
  kit::fakes::FakeCrtFiles files_;
  kit::fakes::FakeCodePage codePage_;
  kit::fakes::FakeProcesses processes_;
  kit::fakes::FakeDeviceSetup devices_;
  RemovalServices removal_{spooler_, services_, search_, files_, codePage_, processes_, devices_};
};

// UTF-16LE bytes of ASCII text, optionally behind a byte order mark.
inline std::string Utf16(const std::string& text, bool bom = true) {
  std::string out = bom ? std::string("\xFF\xFE", 2) : std::string();
  for (char c : text) {
    out += c;
    out += '\0';
  }
  return out;
}

}  // namespace quispor::removal::test
