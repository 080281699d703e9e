// An import is all or nothing: a backup of what it replaces first, and
// every write put back when one fails.
#include <gtest/gtest.h>

#include <memory>

#include "console/store/RegistryError.h"
#include "console/transfer/ProfileTransfer.h"
#include "tests/console/editor/RecordingView.h"
#include "tests/console/store/StoreTestSupport.h"
#include "tests/console/transfer/TransferTestSupport.h"
#include "tests/fakes/registry/RegistryAssertions.h"

namespace vantrel {
namespace {

using kit::fakes::Dump;
using kit::fakes::FakeConsoleRegistry;
using kit::fakes::FakeRegistryStore;
using test::DeviceKey;
using test::kClassKey;

constexpr char16_t kSoftware[] = u"HKLM\\SOFTWARE";

// Two devices and their alternate names, one value beyond the code page
// (only the wide calls bring it back as it was), and a value that is no
// alternate name.
void PutProfiles(FakeRegistryStore& store) {
  test::PutDevice(store, "Front", 0);
  test::PutDevice(store, "Till 2", 1);
  store.PutString(DeviceKey("Front"), u"Version", u"v\u4e2d");
  store.PutString(kClassKey, u"Alias", u"Front");
  store.PutString(kClassKey, u"Other", u"Till 2");
  store.PutDword(kClassKey, u"Count", 2);
}

// One import against a registry of its own.
struct ImportRun {
  explicit ImportRun(bool withProfiles) {
    store.PutKey(kSoftware);
    if (withProfiles) PutProfiles(store);
  }
  bool Import(const std::vector<std::uint8_t>& file) {
    files.files["x.reg"] = file;
    view.chosenFiles.push_back("x.reg");
    view.answers.push_back(kIdYes);
    return ImportProfiles(view, services);
  }

  FakeRegistryStore store;
  FakeConsoleRegistry api{store};
  test::RecordingView view;
  test::Latin1Codec codec;
  test::MemoryFiles files;
  TransferServices services{api, codec, files};
};

class ProfileImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Front replaced, Kiosk added; Alias moves to Kiosk, Fresh is new.
    ProfileSet set;
    set.devices = {test::EditorEntry("FRONT", 2), test::EditorEntry("Kiosk", 1)};
    set.alternateNames = {{"Alias", "Kiosk"}, {"Fresh", "front"}};
    file = WriteRegFile(ProfileRegFile(set, codec));
  }

  test::Latin1Codec codec;
  std::vector<std::uint8_t> file;
};

TEST_F(ProfileImportTest, AFailureAtAnyWriteLeavesTheRegistryAsItWas) {
  for (const bool withProfiles : {true, false}) {
    SCOPED_TRACE(withProfiles ? "over two devices" : "into an empty registry");
    ImportRun whole(withProfiles);
    const int before = whole.api.WriteCount();
    ASSERT_TRUE(whole.Import(file));
    const int writes = whole.api.WriteCount() - before;
    EXPECT_GT(writes, 30);

    for (int k = 1; k <= writes; ++k) {
      SCOPED_TRACE(::testing::Message() << "write " << k << " of " << writes << " fails");
      ImportRun run(withProfiles);
      const std::string registry = Dump(run.store, kSoftware);
      run.api.FailWrite(k, kErrorAccessDenied);
      try {
        run.Import(file);
        ADD_FAILURE() << "imported";
      } catch (const RegistryError& e) {
        EXPECT_EQ(e.code(), kErrorAccessDenied);
        const std::string text = e.what();
        EXPECT_EQ(text.rfind("x.reg was not imported: ", 0), 0u) << text;
        EXPECT_NE(text.find(" could not be written (Failed to "), std::string::npos) << text;
        EXPECT_TRUE(text.ends_with(". Nothing was changed.")) << text;
      }
      EXPECT_EQ(Dump(run.store, kSoftware), registry);
      EXPECT_EQ(run.view.boxes.size(), 1u);  // the question; no success
    }
  }
}

TEST_F(ProfileImportTest, TheReplacedDevicesGoToABackupFileFirstAndTheMessageNamesIt) {
  ImportRun run(true);
  ASSERT_TRUE(run.Import(file));
  const std::string backup = "C:\\ProgramData\\Vantrel\\Backups\\Vantrel 1.reg";
  EXPECT_EQ(run.view.boxes.at(1).text,
            "Imported 2 devices from x.reg. The devices it replaced were saved first to " + backup + ".");
  EXPECT_EQ(run.view.boxes.at(1).flags, kMbOk | kMbIconInformation);
  // The backup is an export of Front as it was, with its alternate name.
  const ProfileSet saved = ReadProfileRegFile(ReadRegFile(run.files.files.at(backup), codec), codec);
  ASSERT_EQ(saved.devices.size(), 1u);
  EXPECT_EQ(saved.devices[0].DeviceName, "Front");
  EXPECT_EQ(saved.devices[0].CommName, "COM3");
  EXPECT_EQ(saved.alternateNames, (std::vector<AlternateName>{{"Alias", "Front"}}));
  // The key kept its spelling and its name; Kiosk is new and needed no backup.
  EXPECT_TRUE(kit::fakes::HasSz(run.store, DeviceKey("Front"), "DeviceName", "Front"));
  EXPECT_TRUE(kit::fakes::HasSz(run.store, kClassKey, "Alias", "Kiosk"));

  ImportRun fresh(false);
  ASSERT_TRUE(fresh.Import(file));
  EXPECT_EQ(fresh.view.boxes.at(1).text, "Imported 2 devices from x.reg.");
  EXPECT_EQ(fresh.files.backups, 0);
}

TEST_F(ProfileImportTest, WithoutABackupNothingIsWritten) {
  ImportRun run(true);
  const std::string registry = Dump(run.store, kSoftware);
  run.files.backupRefusal = "The backup folder cannot be used: C:\\ProgramData\\Vantrel is a reparse point (a link).";
  const int writes = run.api.WriteCount();
  EXPECT_EQ(test::ErrorText<std::runtime_error>([&] { run.Import(file); }),
            "x.reg was not imported: the devices it would replace could not be saved to a backup file first. "
            "The backup folder cannot be used: C:\\ProgramData\\Vantrel is a reparse point (a link). "
            "Nothing was changed.");
  EXPECT_EQ(run.api.WriteCount(), writes);
  EXPECT_EQ(Dump(run.store, kSoftware), registry);
}

TEST_F(ProfileImportTest, ADeviceKeyThatCannotBeOpenedForWritingFailsTheImport) {
  // Save counts such a device as saved; the import must not.
  ImportRun run(true);
  const std::string registry = Dump(run.store, kSoftware);
  run.api.FailCall("RegCreateKeyExA", "SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER\\Kiosk", kErrorAccessDenied);
  EXPECT_EQ(test::ErrorText<RegistryError>([&] { run.Import(file); }),
            "x.reg was not imported: device Kiosk could not be written (Failed to open key "
            "SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER\\Kiosk). Nothing was changed.");
  EXPECT_EQ(Dump(run.store, kSoftware), registry);
}

TEST_F(ProfileImportTest, WhatCannotBePutBackIsNamedWithTheBackupAndNeverCalledUnchanged) {
  ImportRun run(true);
  // Kiosk's first value fails; putting Front's Pid back fails too.
  run.api.beforeCall = [&](const std::string& function) {
    if (function == "RegSetValueExA" && run.store.HasKey(DeviceKey("Kiosk"))) run.api.FailWrite(1, 5);
  };
  run.api.FailCall("RegSetValueExW", "Pid", kErrorAccessDenied);
  std::string text;
  try {
    run.Import(file);
  } catch (const RegistryError& e) {
    text = e.what();
  }
  EXPECT_EQ(text,
            "x.reg was not imported: device Kiosk could not be written (Failed to set data for ''). These could not "
            "be put back as they were: device Front. The devices it replaced were saved before to "
            "C:\\ProgramData\\Vantrel\\Backups\\Vantrel 1.reg.");
  // The rest was put back: Kiosk is gone, the alternate names as they were.
  EXPECT_FALSE(run.store.HasKey(DeviceKey("Kiosk")));
  EXPECT_TRUE(kit::fakes::HasSz(run.store, kClassKey, "Alias", "Front"));
  EXPECT_TRUE(kit::fakes::HasDword(run.store, DeviceKey("Front"), "Baudrate", 19200));
}

}  // namespace
}  // namespace vantrel
