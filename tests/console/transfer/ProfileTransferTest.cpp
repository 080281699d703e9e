#include "console/transfer/ProfileTransfer.h"

#include <gtest/gtest.h>

#include "console/store/DeviceStore.h"
#include "console/store/RegistryError.h"
#include "tests/console/editor/RecordingView.h"
#include "tests/console/store/StoreTestSupport.h"
#include "tests/console/transfer/TransferTestSupport.h"
#include "tests/fakes/registry/RegistryAssertions.h"

namespace vantrel {
namespace {

using kit::fakes::FakeRegValue;
using test::DeviceKey;
using test::kClassKey;
using test::PutDevice;

std::vector<FakeRegValue> ValuesOf(const kit::fakes::FakeRegistryStore& store, const std::u16string& key) {
  std::vector<FakeRegValue> values;
  for (const std::u16string& name : store.ValueNames(key)) values.push_back(*store.Value(key, name));
  return values;
}

bool SameValues(const std::vector<FakeRegValue>& a, const std::vector<FakeRegValue>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const FakeRegValue& x, const FakeRegValue& y) {
    return x.name == y.name && x.type == y.type && x.data == y.data;
  });
}

class ProfileTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PutDevice(store, "Front", 0);
    PutDevice(store, "Till 2", 1);
    store.PutString(kClassKey, u"Alias", u"Front");
    store.PutString(kClassKey, u"Other", u"Till 2");
    store.PutString(kClassKey, u"Second", u"Front");
    store.PutDword(kClassKey, u"Count", 2);  // not text: no alternate name
  }

  void Export(const std::optional<std::string>& device, const std::string& path) {
    view.chosenFiles.push_back(path);
    ExportProfiles(view, services, "POSPrinter", device);
  }
  bool Import(const std::string& path, int answer) {
    view.chosenFiles.push_back(path);
    view.answers.push_back(answer);
    return ImportProfiles(view, services);
  }
  // Registry writes made since the last ClearCalls().
  std::size_t Writes() const {
    std::size_t writes = 0;
    for (const auto& call : api.Calls()) {
      writes += call.function == "RegSetValueExA" || call.function == "RegCreateKeyExA" ||
                call.function == "RegDeleteValueA" || call.function == "RegDeleteKeyA";
    }
    return writes;
  }

  kit::fakes::FakeRegistryStore store;
  kit::fakes::FakeConsoleRegistry api{store};
  test::RecordingView view;
  test::Latin1Codec codec;
  test::MemoryFiles files;
  TransferServices services{api, codec, files};
};

TEST_F(ProfileTransferTest, ExportDeleteImportRestoresTheDeviceByteForByte) {
  const auto device = ValuesOf(store, DeviceKey("Front"));
  Export("Front", "C:\\lanes\\front.reg");
  ASSERT_EQ(view.fileDialogs.size(), 1u);
  EXPECT_EQ(view.fileDialogs[0], (std::pair<FileChoice, std::string>{FileChoice::Export, "Front.reg"}));
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].text, "Exported 1 device to C:\\lanes\\front.reg.");
  EXPECT_EQ(view.boxes[0].flags, kMbOk | kMbIconInformation);

  DeleteAlternateName(api, "POSPrinter", "Front");
  DeleteAlternateName(api, "POSPrinter", "Front");
  ASSERT_TRUE(DeleteDeviceKey(api, "POSPrinter\\Front"));

  ASSERT_TRUE(Import("C:\\lanes\\front.reg", kIdYes));
  EXPECT_EQ(view.boxes.at(1).text,
            "Import 1 device from front.reg?\n\nDevices to add: Front\n"
            "Alternate names to add: Alias for Front, Second for Front");
  EXPECT_EQ(view.boxes.at(1).caption, "Import Devices");
  EXPECT_EQ(view.boxes.at(1).flags, kMbYesNo | kMbIconQuestion);
  EXPECT_TRUE(SameValues(ValuesOf(store, DeviceKey("Front")), device));
  // The other device's alternate name and the number were never in the file.
  EXPECT_EQ(store.ValueNames(kClassKey), (std::vector<std::u16string>{u"Other", u"Count", u"Alias", u"Second"}));
  EXPECT_EQ(store.Value(kClassKey, u"Second")->data, store.Value(kClassKey, u"Alias")->data);
}

TEST_F(ProfileTransferTest, TheClassNodeExportsEveryDeviceAndAnEmptyClassNothing) {
  Export(std::nullopt, "all.reg");
  EXPECT_EQ(view.fileDialogs.at(0).second, "POSPrinter.reg");
  EXPECT_EQ(view.boxes.at(0).text, "Exported 2 devices to all.reg.");
  const ProfileSet exported =
      ReadProfileRegFile(ReadRegFile(files.files.at("all.reg"), codec), codec);
  ASSERT_EQ(exported.devices.size(), 2u);
  EXPECT_EQ(exported.devices[1].DeviceName, "Till 2");
  EXPECT_EQ(exported.devices[1].TcpIp, "10.0.0.7");
  EXPECT_EQ(exported.alternateNames,
            (std::vector<AlternateName>{{"Alias", "Front"}, {"Other", "Till 2"}, {"Second", "Front"}}));

  kit::fakes::FakeRegistryStore empty;
  kit::fakes::FakeConsoleRegistry emptyApi{empty};
  TransferServices none{emptyApi, codec, files};
  view.boxes.clear();
  ExportProfiles(view, none, "POSPrinter", std::nullopt);
  EXPECT_EQ(view.fileDialogs.size(), 1u);  // no dialog for nothing
  EXPECT_EQ(view.boxes.at(0).text, "There are no devices to export.");
}

TEST_F(ProfileTransferTest, ACancelledDialogWritesNoFile) {
  ExportProfiles(view, services, "POSPrinter", std::string("Front"));
  EXPECT_TRUE(files.files.empty());
  EXPECT_TRUE(view.boxes.empty());
  api.ClearCalls();
  EXPECT_FALSE(ImportProfiles(view, services));
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(ProfileTransferTest, MissingValuesGoOutAsASaveWouldWriteThemAndWrongOnesNotAtAll) {
  store.PutKey(DeviceKey("Sparse"));
  store.PutString(DeviceKey("Sparse"), u"DeviceName", u"Sparse");
  Export("Sparse", "sparse.reg");
  const ProfileSet sparse = ReadProfileRegFile(ReadRegFile(files.files.at("sparse.reg"), codec), codec);
  DeviceEntry expected;
  expected.DeviceName = "Sparse";
  ASSERT_EQ(sparse.devices.size(), 1u);
  EXPECT_EQ(sparse.devices[0], expected);

  store.PutString(DeviceKey("Sparse"), u"TcpPort", u"9100");
  EXPECT_EQ(test::ErrorText<RegistryError>([&] { Export("Sparse", "odd.reg"); }),
            "Device Sparse cannot be exported: Failed to get data for 'TcpPort'");
  PutDevice(store, "Renamed", 0);
  store.PutString(DeviceKey("Renamed"), u"DeviceName", u"Elsewhere");
  EXPECT_EQ(test::ErrorText<std::runtime_error>([&] { Export("Renamed", "renamed.reg"); }),
            "Device Renamed cannot be exported: its DeviceName value is Elsewhere.");
  EXPECT_EQ(files.files.size(), 1u);
}

TEST_F(ProfileTransferTest, ImportAsksWhichDevicesItAddsAndReplacesAndNoWritesNothing) {
  Export(std::nullopt, "all.reg");
  ASSERT_TRUE(DeleteDeviceKey(api, "POSPrinter\\Till 2"));
  view.boxes.clear();
  api.ClearCalls();
  EXPECT_FALSE(Import("all.reg", kIdNo));
  EXPECT_EQ(view.boxes.at(0).text,
            "Import 2 devices from all.reg?\n\nDevices to add: Till 2\nDevices to replace: Front");
  EXPECT_EQ(Writes(), 0u);
  EXPECT_FALSE(store.HasKey(DeviceKey("Till 2")));
}

TEST_F(ProfileTransferTest, ImportAsksAboutTheAlternateNamesItAddsOrRepoints) {
  ProfileSet file;
  file.devices = {test::EditorEntry("Front", 0), test::EditorEntry("Till 2", 1)};
  // Alias moves to Till 2, Other stays (the registry ignores case), New is new.
  file.alternateNames = {{"Alias", "Till 2"}, {"OTHER", "till 2"}, {"New", "Front"}};
  files.files["x.reg"] = WriteRegFile(ProfileRegFile(file, codec));
  api.ClearCalls();
  EXPECT_FALSE(Import("x.reg", kIdNo));
  EXPECT_EQ(view.boxes.at(0).text,
            "Import 2 devices from x.reg?\n\nDevices to replace: Front, Till 2\n"
            "Alternate names to add: New for Front\nAlternate names to repoint: Alias from Front to Till 2");
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(ProfileTransferTest, NamesThatDifferOnlyInLetterCaseMeanTheSameDevice) {
  // As an earlier console left them: a key whose DeviceName differs in case,
  // and an alternate name typed in another case.
  PutDevice(store, "Kiosk", 2);
  store.PutString(DeviceKey("Kiosk"), u"DeviceName", u"KIOSK");
  store.PutString(kClassKey, u"Lower", u"kiosk");
  Export(std::nullopt, "all.reg");
  const ProfileSet exported = ReadProfileRegFile(ReadRegFile(files.files.at("all.reg"), codec), codec);
  ASSERT_EQ(exported.devices.size(), 3u);
  EXPECT_EQ(exported.devices[1].DeviceName, "Kiosk");
  EXPECT_EQ(exported.alternateNames.back(), (AlternateName{"Lower", "kiosk"}));

  // The file says Kiosk; the registry's key keeps its spelling, and so does
  // its DeviceName.
  ASSERT_TRUE(DeleteDeviceKey(api, "POSPrinter\\Kiosk"));
  PutDevice(store, "KIOSK", 0);
  ASSERT_TRUE(Import("all.reg", kIdYes));
  EXPECT_EQ(store.SubkeyNames(kClassKey), (std::vector<std::u16string>{u"Front", u"KIOSK", u"Till 2"}));
  EXPECT_TRUE(kit::fakes::HasSz(store, DeviceKey("KIOSK"), "DeviceName", "KIOSK"));
  EXPECT_TRUE(kit::fakes::HasDword(store, DeviceKey("KIOSK"), "ProtocolType", 2));
}

TEST_F(ProfileTransferTest, ARefusedFileOrAClosedClassKeyWritesNothing) {
  files.files["bad.reg"] = test::Utf16File(
      u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\r\n");
  api.ClearCalls();
  EXPECT_EQ(test::ErrorText<std::runtime_error>([&] { Import("bad.reg", kIdYes); }),
            "bad.reg cannot be imported. Line 3: The key HKEY_LOCAL_MACHINE\\SOFTWARE\\Other is neither the "
            "POSPrinter class key nor a device key under it.");
  EXPECT_TRUE(view.boxes.empty());  // no question either

  Export(std::nullopt, "all.reg");
  store.DenyAccess(kClassKey, kit::fakes::FakeRegistryStore::kSetValue);
  api.ClearCalls();
  try {
    Import("all.reg", kIdYes);
    FAIL() << "written";
  } catch (const RegistryError& e) {
    EXPECT_EQ(e.code(), kErrorAccessDenied);
    EXPECT_STREQ(e.what(),
                 "all.reg was not imported: the device profiles it would change cannot be opened (Failed to open key "
                 "SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER). Nothing was changed.");
  }
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(ProfileTransferTest, FileNamesAndTheQuestionStayReadable) {
  EXPECT_EQ(SuggestedFileName("Lane 1: \"front\" */?<>|\\"), "Lane 1_ _front_ _______.reg");
  ImportPlan plan;
  for (int i = 0; i < 12; ++i) plan.added.push_back("D" + std::to_string(i));
  EXPECT_EQ(ImportQuestion("x.reg", plan),
            "Import 12 devices from x.reg?\n\nDevices to add: D0, D1, D2, D3, D4, D5, D6, D7, D8, D9 and 2 more");
}

}  // namespace
}  // namespace vantrel
