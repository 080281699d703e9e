// A Vantrel.exe of its own for each test, in a folder with the stand-in OPOS
// control and service object beside it (or only some of them), the stand-ins
// unregistered beforehand and their call log read from that folder.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver/TestDriver.h"
#include "tests/standins/opos/StandInCallLog.h"

namespace vantrel::e2e {

inline constexpr wchar_t kControlFile[] = L"OPOSPOSPrinter.ocx";
inline constexpr wchar_t kServiceObjectFile[] = L"SOZELTANO.dll";
inline constexpr wchar_t kControlProgId[] = L"OPOS.POSPrinter.1.13";
inline constexpr wchar_t kServiceObjectProgId[] = L"SOZELTANO.OPOSPrinter";
// {CCB90152-B81E-11D2-AB74-0040054C3719}
inline constexpr CLSID kControlClsid = {0xCCB90152, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};

enum class Components { Both, ServiceObjectOnly, None };

// Where the program is copied: a folder of the test's own, or the one beside
// the test that the build made writable for others (chmod o+w), which Wine
// reports as a folder Everyone may change.
enum class ProgramFolder { Own, OthersMayChange };

// Removes both stand-ins' COM registration (through their own
// DllUnregisterServer, loaded from the test's folder).
void UnregisterStandIns();

// A device profile as the console's "Save" writes it (USB connection).
void PutSavedDevice(const std::wstring& name);

// "CO <call>" and "SO <call>" for each call, as the control hands every call
// on to the service object.
using kit::standins::ControlAndService;

class HealthSession : public ::testing::Test {
 protected:
  // No device profiles, the stand-ins unregistered.
  void SetUp() override;
  void TearDown() override;

  // A fresh folder named after the running test (or the folder others may
  // change) with Vantrel.exe and the chosen stand-ins; then Vantrel.exe is
  // started and its tree awaited.
  void StartVantrel(Components components, ProgramFolder where = ProgramFolder::Own);

  HWND Ctl(int id) const { return kit::e2e::FindControlById(main, id); }
  std::wstring Text(int id) const { return kit::e2e::ReadText(Ctl(id)); }
  // Clicks a tree node like a user and waits until a device node's name
  // shows in "Device Name:".
  void ClickNode(const std::wstring& text, bool isDevice = true);
  bool StillRunning() const;

  // opos-calls.txt beside the stand-ins, one entry per line; empty when the
  // file does not exist.
  std::vector<std::string> CallLog() const;
  void ClearCallLog() const;

  std::wstring folder;  // ends in "\"
  std::optional<kit::e2e::App> app;
  HWND main = nullptr;
};

}  // namespace vantrel::e2e
