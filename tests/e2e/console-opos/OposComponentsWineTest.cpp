// Registers the stand-in control and service object from the test's folder
// and runs the real TOPOSPOSPrinter through RunCheckHealth against a device
// profile written into the registry; the stand-ins log every call they get.
#include <windows.h>
#include <objbase.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "console/opos/CheckHealth.h"
#include "console/opos/ControlRegistration.h"
#include "console/opos/OleError.h"
#include "console/opos/win32/OposPOSPrinter_CCO_TLB.h"
#include "console/opos/win32/Win32ComApi.h"
#include "console/opos/win32/Win32ModuleApi.h"
#include "tests/standins/opos/StandInCallLog.h"
#include "trust/win32/SystemLibrary.h"
#include "trust/win32/Win32FileSecurity.h"

namespace {

using kit::standins::ControlAndService;
using testing::ElementsAre;
using testing::ElementsAreArray;
using vantrel::win32::TOPOSPOSPrinter;
using vantrel::win32::TOPOSPOSPrinterFactory;

const char kClassKey[] = "SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER";
const char kDevice[] = "StandIn Printer";

class ComEnvironment : public testing::Environment {
 public:
  void SetUp() override { ASSERT_EQ(CoInitialize(nullptr), S_OK); }
  void TearDown() override { CoUninitialize(); }
};
testing::Environment* const kComEnvironment = testing::AddGlobalTestEnvironment(new ComEnvironment);

std::wstring TestFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text(path);
  return text.substr(0, text.find_last_of(L'\\') + 1);
}

std::wstring CallLogPath() { return TestFolder() + L"opos-calls.txt"; }

std::vector<std::string> ReadCallLog() { return kit::standins::ReadCallLog(CallLogPath()); }

void SetDword(HKEY key, const char* name, DWORD value) {
  ASSERT_EQ(RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value), ERROR_SUCCESS);
}

void SetText(HKEY key, const char* name, const std::string& value) {
  ASSERT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1)),
            ERROR_SUCCESS);
}

class RecordingSink : public vantrel::MessageSink {
 public:
  void ShowMessage(const std::string& text, const std::string& caption) override {
    boxes.push_back(text + " / " + caption);
  }
  std::vector<std::string> boxes;
};

class OposComponentsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Register("Printer").completed);
    DeleteFileW(CallLogPath().c_str());
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kClassKey) + "\\" + kDevice).c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    SetText(key, nullptr, "SOZELTANO.OPOSPrinter");
    SetText(key, "DeviceName", kDevice);
    RegCloseKey(key);
  }
  void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kClassKey); }

  vantrel::Registration Register(const std::string& classWord) {
    return vantrel::RegisterPrinterControls(classWord, modules_, com_, security_);
  }

  void SetDeviceDword(const char* name, DWORD value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kClassKey) + "\\" + kDevice).c_str(), 0,
                            KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    SetDword(key, name, value);
    RegCloseKey(key);
  }

  void RunCheck(const std::string& field, std::optional<std::string> node = std::nullopt) {
    TOPOSPOSPrinterFactory factory;
    vantrel::RunCheckHealth(field, node, factory, sink_);
  }


  vantrel::win32::Win32ModuleApi modules_;
  vantrel::win32::Win32ComApi com_;
  kit::trust::win32::Win32FileSecurity security_;
  RecordingSink sink_;
};

TEST_F(OposComponentsTest, RegistrationCallsBothEntryPointsAndTheProgIdsResolve) {
  // Wine reports the build folder and the stand-ins as only its user (the
  // owner of its system directory) may change them.
  const vantrel::Registration result = Register("printer");
  EXPECT_TRUE(result.completed);
  EXPECT_EQ(result.refusal, u"");
  EXPECT_THAT(ReadCallLog(), ElementsAre("CO DllRegisterServer", "SO DllRegisterServer"));

  CLSID clsid = {};
  EXPECT_EQ(CLSIDFromProgID(L"OPOS.POSPrinter.1.13", &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, vantrel::win32::CLSID_OPOSPOSPrinter));
  EXPECT_EQ(CLSIDFromProgID(L"SOZELTANO.OPOSPrinter", &clsid), S_OK);

  char model[32] = {};
  DWORD size = sizeof model;
  EXPECT_EQ(RegGetValueA(HKEY_CLASSES_ROOT, "CLSID\\{CCB90152-B81E-11D2-AB74-0040054C3719}\\InprocServer32",
                         "ThreadingModel", RRF_RT_REG_SZ, nullptr, model, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(model, "Apartment");
}

TEST_F(OposComponentsTest, AnotherClassWordRegistersNothing) {
  EXPECT_TRUE(Register("Scanner").completed);
  EXPECT_THAT(ReadCallLog(), testing::IsEmpty());
}

TEST_F(OposComponentsTest, TheControlAnswersItsDualInterfaceWithItsIDispatch) {
  TOPOSPOSPrinter host;
  IDispatch* control = host.ControlInterface();
  ASSERT_NE(control, nullptr);
  IDispatch* plain = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&plain)), S_OK);
  EXPECT_EQ(plain, control);
  plain->Release();
}

TEST_F(OposComponentsTest, AHealthyDeviceIsOpenedClaimedEnabledCheckedAndReleased) {
  RunCheck(kDevice);
  EXPECT_THAT(sink_.boxes, ElementsAre("CheckHealth OK / Information"));
  EXPECT_THAT(ReadCallLog(),
              ElementsAreArray(ControlAndService({"Open(StandIn Printer)", "ClaimDevice(5000)", "DeviceEnabled=true",
                                     "CheckHealth(3)", "DeviceEnabled=false", "ReleaseDevice", "Close"})));
}

TEST_F(OposComponentsTest, AFailedHealthCheckIsReportedAndTheDeviceStillReleased) {
  SetDeviceDword("StandInHealthResult", 111);
  RunCheck(kDevice);
  EXPECT_THAT(sink_.boxes, ElementsAre("CheckHealth Fail / Information"));
  EXPECT_THAT(ReadCallLog(),
              ElementsAreArray(ControlAndService({"Open(StandIn Printer)", "ClaimDevice(5000)", "DeviceEnabled=true",
                                     "CheckHealth(3)", "DeviceEnabled=false", "ReleaseDevice", "Close"})));
}

TEST_F(OposComponentsTest, AnUnknownNameCannotBeOpened) {
  RunCheck("Nobody");
  EXPECT_THAT(sink_.boxes, ElementsAre("Can not open device / Error"));
  EXPECT_THAT(ReadCallLog(), ElementsAre("CO Open(Nobody)"));
}

TEST_F(OposComponentsTest, AServiceObjectThatRefusesTheOpenIsNotClaimedOrClosed) {
  SetDeviceDword("StandInOpenResult", 107);
  RunCheck(kDevice);
  EXPECT_THAT(sink_.boxes, ElementsAre("Can not open device / Error"));
  EXPECT_THAT(ReadCallLog(), ElementsAreArray(ControlAndService({"Open(StandIn Printer)"})));
}

TEST_F(OposComponentsTest, AClaimFailureClosesTheDevice) {
  SetDeviceDword("StandInClaimResult", 102);
  RunCheck(kDevice);
  EXPECT_THAT(sink_.boxes, ElementsAre("Can not claim device / Error"));
  EXPECT_THAT(ReadCallLog(), ElementsAreArray(ControlAndService({"Open(StandIn Printer)", "ClaimDevice(5000)", "Close"})));
}

TEST_F(OposComponentsTest, AnAlternateNameReachesTheDeviceItStandsFor) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kClassKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  SetText(key, "Front Desk", kDevice);
  RegCloseKey(key);

  RunCheck("", "Front Desk");
  EXPECT_THAT(sink_.boxes, ElementsAre("CheckHealth OK / Information"));
  const std::vector<std::string> log = ReadCallLog();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], "CO Open(Front Desk)");
  EXPECT_EQ(log[1], "SO Open(StandIn Printer)");
}

TEST_F(OposComponentsTest, WithTheControlUnregisteredTheCreationErrorCarriesTheHresult) {
  const std::wstring ocx = TestFolder() + L"OPOSPOSPrinter.ocx";
  HMODULE module = LoadLibraryW(ocx.c_str());
  ASSERT_NE(module, nullptr);
  using Entry = HRESULT(STDAPICALLTYPE*)();
  auto unregister = reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(module, "DllUnregisterServer")));
  ASSERT_NE(unregister, nullptr);
  ASSERT_EQ(unregister(), S_OK);
  FreeLibrary(module);

  try {
    TOPOSPOSPrinter host;
    FAIL() << "the control was created";
  } catch (const vantrel::OleError& error) {
    EXPECT_EQ(error.hresult(), REGDB_E_CLASSNOTREG);
    EXPECT_STREQ(error.what(),
                 "Cannot create the OPOS POSPrinter control {CCB90152-B81E-11D2-AB74-0040054C3719}: "
                 "CoCreateInstance returned HRESULT 0x80040154");
  }
  // Raised before the empty name is looked at.
  EXPECT_THROW(RunCheck(""), vantrel::OleError);
  EXPECT_THAT(sink_.boxes, testing::IsEmpty());
  EXPECT_THAT(ReadCallLog(), testing::IsEmpty());
}

// The console takes libraries loaded by name from the system directory only;
// a component that imports a library shipped beside it must still load.
TEST(ComponentLoadingTest, AComponentFindsTheLibraryItImportsInItsOwnFolder) {
  kit::trust::win32::LoadLibrariesFromTheSystemDirectoryOnly();
  vantrel::win32::Win32ModuleApi modules;
  const std::wstring path = TestFolder() + L"with-sibling\\standin_component_with_sibling.dll";
  const vantrel::ModuleApi::Module module = modules.LoadModule(std::u16string(path.begin(), path.end()));
  ASSERT_NE(module, 0u) << "the load failed with " << GetLastError();
  const vantrel::ModuleApi::Export entry = modules.FindExport(module, "KitComponentAnswer");
  ASSERT_NE(entry, 0u);
  EXPECT_EQ(modules.CallEntryPoint(entry), 42);
  modules.UnloadModule(module);
}

}  // namespace
