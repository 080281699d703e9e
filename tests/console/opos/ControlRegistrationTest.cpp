#include "console/opos/ControlRegistration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/opos/ComponentFolder.h"
#include "console/opos/OleError.h"
#include "console/opos/OposNames.h"
#include "tests/console/opos/FakeComponents.h"
#include "tests/fakes/trust/FakeFolders.h"

namespace {

using kit::fakes::FakeComApi;
using kit::fakes::FakeComRegistry;
using kit::fakes::FakeModuleApi;
using kit::fakes::FakeModuleFile;
using testing::ElementsAre;
using testing::HasSubstr;
using vantrel::Guid;

constexpr Guid kServiceClass = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
const std::u16string kFolder = u"C:\\Program Files\\Vantrel\\";
const std::u16string kControlPath = kFolder + u"OPOSPOSPrinter.ocx";
const std::u16string kServicePath = kFolder + u"SOZELTANO.dll";

// As Windows sets them: a folder an administrator made under Program Files
// and a file copied into it; a folder made directly under C:\ and a file in
// it, both of which Authenticated Users may modify.
const std::u16string kProgramFilesFolder =
    u"O:BAD:AI(A;ID;0x1301bf;;;SY)(A;OICIIOID;GA;;;SY)(A;ID;0x1301bf;;;BA)(A;OICIIOID;GA;;;BA)"
    u"(A;ID;0x1200a9;;;BU)(A;OICIIOID;GXGR;;;BU)(A;OICIIOID;GA;;;CO)";
const std::u16string kProgramFilesFile = u"O:BAD:AI(A;ID;FA;;;SY)(A;ID;FA;;;BA)(A;ID;0x1200a9;;;BU)";
const std::u16string kDriveCFolder =
    u"O:BAD:AI(A;ID;FA;;;BA)(A;OICIIOID;GA;;;BA)(A;ID;FA;;;SY)(A;OICIIOID;GA;;;SY)"
    u"(A;OICIID;0x1200a9;;;BU)(A;ID;0x1301bf;;;AU)(A;OICIIOID;SDGXGWGR;;;AU)";
const std::u16string kDriveCFile = u"O:BAD:AI(A;ID;FA;;;BA)(A;ID;FA;;;SY)(A;ID;0x1200a9;;;BU)(A;ID;0x1301bf;;;AU)";
constexpr std::uint32_t kFileAttributeArchive = 0x20;

const std::u16string kUntrusted = u" can be changed by users who are not administrators. Copy Vantrel into a "
                                  u"folder that only administrators can change, such as Program Files.";

class RegistrationTest : public testing::Test {
 protected:
  void SetUp() override { folders.Put(u"C:\\Program Files\\Vantrel", kProgramFilesFolder); }
  // A component file on the disk, for the loader and for the folder check.
  void Install(const std::u16string& path, FakeModuleFile file, const std::u16string& sddl = kProgramFilesFile) {
    modules.files[path] = std::move(file);
    folders.Put(path, sddl, kFileAttributeArchive);
  }
  FakeModuleFile ControlFile() {
    FakeModuleFile file;
    file.progIds[vantrel::opos::kControlProgId] = vantrel::opos::kControlClassId;
    return file;
  }
  FakeModuleFile ServiceFile() {
    FakeModuleFile file;
    file.progIds[vantrel::opos::kServiceObjectProgId] = kServiceClass;
    return file;
  }
  bool Register(const std::string& word = "Printer") {
    return vantrel::RegisterPrinterControls(word, modules, com, folders).completed;
  }
  // Nothing loaded, nothing created, a registration made elsewhere left as
  // it is, and the text for the user.
  void ExpectNothingLoaded(const std::u16string& text) {
    registry.progIds[vantrel::opos::kServiceObjectProgId] = kServiceClass;
    const auto before = registry.progIds;
    EXPECT_EQ(vantrel::RegisterPrinterControls("Printer", modules, com, folders).refusal, text);
    EXPECT_THAT(log, ElementsAre("GetModuleFileName"));
    EXPECT_EQ(registry.progIds, before);
  }

  std::vector<std::string> log;
  FakeComRegistry registry;
  FakeModuleApi modules{log, registry};
  FakeComApi com{log, registry};
  kit::fakes::FakeFolders folders;
};

TEST(FolderOfTest, KeepsEverythingUpToTheLastSeparator) {
  EXPECT_EQ(vantrel::FolderOf(u"C:\\a\\b\\Vantrel.exe"), u"C:\\a\\b\\");
  EXPECT_EQ(vantrel::FolderOf(u"C:Vantrel.exe"), u"C:");
  EXPECT_EQ(vantrel::FolderOf(u"Vantrel.exe"), u"");
  EXPECT_EQ(vantrel::FolderOf(u"\\\\server\\share\\V.exe"), u"\\\\server\\share\\");
}

TEST_F(RegistrationTest, BothFilesAreRegisteredAndCreatedInOrderThenReleased) {
  Install(kControlPath, ControlFile());
  Install(kServicePath, ServiceFile());

  const vantrel::Registration result = vantrel::RegisterPrinterControls("Printer", modules, com, folders);
  EXPECT_TRUE(result.completed);
  EXPECT_EQ(result.refusal, u"");

  const std::string ctl = "C:\\Program Files\\Vantrel\\OPOSPOSPrinter.ocx";
  const std::string so = "C:\\Program Files\\Vantrel\\SOZELTANO.dll";
  const std::string ctlClass = "{CCB90152-B81E-11D2-AB74-0040054C3719}";
  const std::string soClass = "{11111111-2222-3333-0102-030405060708}";
  EXPECT_THAT(log, ElementsAre("GetModuleFileName",
                               "FileExists " + ctl, "FileExists " + ctl, "LoadLibrary " + ctl,
                               "GetProcAddress DllRegisterServer", "DllRegisterServer",
                               "FreeLibrary", "CLSIDFromProgID OPOS.POSPrinter.1.13",
                               "CoCreateInstance " + ctlClass,
                               "FileExists " + so, "FileExists " + so, "LoadLibrary " + so,
                               "GetProcAddress DllRegisterServer", "DllRegisterServer",
                               "FreeLibrary", "CLSIDFromProgID SOZELTANO.OPOSPrinter",
                               "CoCreateInstance " + soClass,
                               // Both are held to the end of the operation.
                               "Release " + soClass, "Release " + ctlClass));
  EXPECT_EQ(registry.liveObjects, 0);
  EXPECT_EQ(modules.loadedModules(), 0);
}

TEST_F(RegistrationTest, WithNeitherFileNothingIsLoadedOrCreated) {
  // Nothing would be loaded from the folder, so there is nothing to say.
  folders.Put(u"C:\\Program Files\\Vantrel", kDriveCFolder);
  EXPECT_EQ(vantrel::RegisterPrinterControls("Printer", modules, com, folders).refusal, u"");
  EXPECT_THAT(log, ElementsAre("GetModuleFileName",
                               "FileExists C:\\Program Files\\Vantrel\\OPOSPOSPrinter.ocx",
                               "FileExists C:\\Program Files\\Vantrel\\SOZELTANO.dll"));
}

TEST_F(RegistrationTest, WithOnlyTheServiceObjectOnlyItIsRegisteredAndCreated) {
  Install(kServicePath, ServiceFile());
  EXPECT_TRUE(Register());
  EXPECT_THAT(log, testing::Not(testing::Contains(HasSubstr("LoadLibrary C:\\Program Files\\Vantrel\\OPOS"))));
  EXPECT_THAT(log, testing::Contains("CLSIDFromProgID SOZELTANO.OPOSPrinter"));
  EXPECT_THAT(log, testing::Not(testing::Contains("CLSIDFromProgID OPOS.POSPrinter.1.13")));
  EXPECT_THAT(registry.progIds, testing::SizeIs(1));
}

TEST_F(RegistrationTest, TheClassWordMatchesInAnyCaseAndNothingElse) {
  Install(kControlPath, ControlFile());
  for (const char* word : {"PRINTER", "printer", "pRiNtEr"}) {
    log.clear();
    EXPECT_TRUE(Register(word)) << word;
    EXPECT_THAT(log, testing::Contains("DllRegisterServer")) << word;
  }
  for (const char* word : {"Printers", "Scanner", "", " Printer"}) {
    log.clear();
    EXPECT_TRUE(Register(word)) << word;
    EXPECT_THAT(log, testing::IsEmpty()) << word;
  }
}

TEST_F(RegistrationTest, AModuleThatCannotBeLoadedOrHasNoEntryIsSkippedSilently) {
  FakeModuleFile unloadable = ControlFile();
  unloadable.loadable = false;
  Install(kControlPath, unloadable);
  FakeModuleFile noEntry = ServiceFile();
  noEntry.hasRegisterEntry = false;
  Install(kServicePath, noEntry);

  EXPECT_TRUE(Register());
  EXPECT_THAT(log, testing::Not(testing::Contains(HasSubstr("CLSIDFromProgID"))));
  // The module without the entry point is unloaded again.
  EXPECT_EQ(modules.loadedModules(), 0);
  EXPECT_EQ(std::count(log.begin(), log.end(), "FreeLibrary"), 1);
}

TEST_F(RegistrationTest, AFailingRegistrationEntryStillCountsAsCalled) {
  // Its result is not examined: the object creation finds out.
  FakeModuleFile file = ControlFile();
  file.registerResult = static_cast<std::int32_t>(0x80070005);
  file.progIds.clear();
  Install(kControlPath, file);
  EXPECT_FALSE(Register());
  EXPECT_THAT(log, testing::Contains("CLSIDFromProgID OPOS.POSPrinter.1.13"));
}

TEST_F(RegistrationTest, AProgIdThatCannotBeCreatedFailsAndSkipsTheServiceObject) {
  Install(kControlPath, ControlFile());
  Install(kServicePath, ServiceFile());
  modules.brokenClasses.push_back(vantrel::opos::kControlClassId);

  EXPECT_FALSE(Register());
  EXPECT_EQ(log.back(), "CoCreateInstance {CCB90152-B81E-11D2-AB74-0040054C3719}");
  EXPECT_THAT(log, testing::Not(testing::Contains(HasSubstr("SOZELTANO.dll"))));
}

TEST_F(RegistrationTest, AnUnregisteredProgIdFailsAndReleasesWhatWasCreated) {
  Install(kControlPath, ControlFile());
  FakeModuleFile service = ServiceFile();
  service.progIds.clear();  // registers nothing
  Install(kServicePath, service);

  EXPECT_FALSE(Register());
  EXPECT_EQ(log.back(), "Release {CCB90152-B81E-11D2-AB74-0040054C3719}");
  EXPECT_EQ(registry.liveObjects, 0);
}

TEST_F(RegistrationTest, AFolderUsersCanChangeIsNamed) {
  modules.programFile = u"C:\\Vantrel\\Vantrel.exe";
  folders.Put(u"C:\\Vantrel", kDriveCFolder);
  Install(u"C:\\Vantrel\\OPOSPOSPrinter.ocx", ControlFile(), kDriveCFile);
  Install(u"C:\\Vantrel\\SOZELTANO.dll", ServiceFile(), kDriveCFile);
  ExpectNothingLoaded(u"The OPOS components were not registered: C:\\Vantrel" + kUntrusted);
}

TEST_F(RegistrationTest, AComponentUsersCanChangeIsNamedByItsPath) {
  Install(kControlPath, ControlFile());
  Install(kServicePath, ServiceFile(), u"O:BAD:AI(A;;0x1301bf;;;BU)(A;ID;FA;;;SY)(A;ID;FA;;;BA)");
  ExpectNothingLoaded(u"The OPOS components were not registered: C:\\Program Files\\Vantrel\\SOZELTANO.dll" +
                      kUntrusted);
}

TEST_F(RegistrationTest, AComponentWhoseSecurityCannotBeReadIsNotLoadedEither) {
  Install(kControlPath, ControlFile());
  Install(kServicePath, ServiceFile());
  folders.readErrors[kControlPath] = 5;
  ExpectNothingLoaded(
      u"The OPOS components were not registered: who can change C:\\Program Files\\Vantrel\\OPOSPOSPrinter.ocx "
      u"cannot be read (error 5). Copy Vantrel into a folder that only administrators can change, such as "
      u"Program Files.");
}

// The control loads from its registered path, which may be the program's
// folder: the check runs again before each control is made.
TEST_F(RegistrationTest, TheHealthCheckControlIsMadeOnlyWhileTheFolderPassesTheCheck) {
  struct CountingFactory : vantrel::PosPrinterControlFactory {
    int made = 0;
    std::unique_ptr<vantrel::PosPrinterControl> Create() override {
      ++made;
      return nullptr;
    }
  } inner;
  Install(kControlPath, ControlFile());
  vantrel::CheckedControlFactory controls(inner, modules, folders, kit::fakes::Narrow);
  controls.Create();
  folders.Put(u"C:\\Program Files\\Vantrel", kDriveCFolder);
  EXPECT_THAT([&] { controls.Create(); },
              testing::ThrowsMessage<vantrel::UntrustedComponentsError>(
                  "The OPOS components were not registered: C:\\Program Files\\Vantrel" + kit::fakes::Narrow(kUntrusted)));
  EXPECT_EQ(inner.made, 1);
}

TEST(CreateObjectFromProgIdTest, TheErrorNamesTheProgIdTheCallAndTheHresult) {
  std::vector<std::string> log;
  FakeComRegistry registry;
  FakeComApi com{log, registry};
  try {
    vantrel::CreateObjectFromProgId(u"No.Such.1", com);
    FAIL() << "no error raised";
  } catch (const vantrel::OleError& error) {
    EXPECT_EQ(error.hresult(), kit::fakes::kCoEClassString);
    EXPECT_STREQ(error.what(),
                 "Cannot create an object of \"No.Such.1\": CLSIDFromProgID returned HRESULT "
                 "0x800401F3");
  }

  registry.progIds[u"Known.1"] = vantrel::opos::kControlClassId;
  try {
    vantrel::CreateObjectFromProgId(u"Known.1", com);
    FAIL() << "no error raised";
  } catch (const vantrel::OleError& error) {
    EXPECT_THAT(error.what(), HasSubstr("CoCreateInstance returned HRESULT 0x80040154"));
  }
}

}  // namespace
