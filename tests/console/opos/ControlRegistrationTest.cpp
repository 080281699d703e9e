#include "console/opos/ControlRegistration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/opos/OleError.h"
#include "console/opos/OposNames.h"
#include "tests/console/opos/FakeComponents.h"

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

class RegistrationTest : public testing::Test {
 protected:
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
    return vantrel::RegisterPrinterControls(word, modules, com);
  }

  std::vector<std::string> log;
  FakeComRegistry registry;
  FakeModuleApi modules{log, registry};
  FakeComApi com{log, registry};
};

TEST(FolderOfTest, KeepsEverythingUpToTheLastSeparator) {
  EXPECT_EQ(vantrel::FolderOf(u"C:\\a\\b\\Vantrel.exe"), u"C:\\a\\b\\");
  EXPECT_EQ(vantrel::FolderOf(u"C:Vantrel.exe"), u"C:");
  EXPECT_EQ(vantrel::FolderOf(u"Vantrel.exe"), u"");
  EXPECT_EQ(vantrel::FolderOf(u"\\\\server\\share\\V.exe"), u"\\\\server\\share\\");
}

TEST_F(RegistrationTest, BothFilesAreRegisteredAndCreatedInOrderThenReleased) {
  modules.files[kControlPath] = ControlFile();
  modules.files[kServicePath] = ServiceFile();

  EXPECT_TRUE(Register());

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
  EXPECT_TRUE(Register());
  EXPECT_THAT(log, ElementsAre("GetModuleFileName",
                               "FileExists C:\\Program Files\\Vantrel\\OPOSPOSPrinter.ocx",
                               "FileExists C:\\Program Files\\Vantrel\\SOZELTANO.dll"));
}

TEST_F(RegistrationTest, WithOnlyTheServiceObjectOnlyItIsRegisteredAndCreated) {
  modules.files[kServicePath] = ServiceFile();
  EXPECT_TRUE(Register());
  EXPECT_THAT(log, testing::Not(testing::Contains(HasSubstr("LoadLibrary C:\\Program Files\\Vantrel\\OPOS"))));
  EXPECT_THAT(log, testing::Contains("CLSIDFromProgID SOZELTANO.OPOSPrinter"));
  EXPECT_THAT(log, testing::Not(testing::Contains("CLSIDFromProgID OPOS.POSPrinter.1.13")));
  EXPECT_THAT(registry.progIds, testing::SizeIs(1));
}

TEST_F(RegistrationTest, TheClassWordMatchesInAnyCaseAndNothingElse) {
  modules.files[kControlPath] = ControlFile();
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
  modules.files[kControlPath] = unloadable;
  FakeModuleFile noEntry = ServiceFile();
  noEntry.hasRegisterEntry = false;
  modules.files[kServicePath] = noEntry;

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
  modules.files[kControlPath] = file;
  EXPECT_FALSE(Register());
  EXPECT_THAT(log, testing::Contains("CLSIDFromProgID OPOS.POSPrinter.1.13"));
}

TEST_F(RegistrationTest, AProgIdThatCannotBeCreatedFailsAndSkipsTheServiceObject) {
  modules.files[kControlPath] = ControlFile();
  modules.files[kServicePath] = ServiceFile();
  modules.brokenClasses.push_back(vantrel::opos::kControlClassId);

  EXPECT_FALSE(Register());
  EXPECT_EQ(log.back(), "CoCreateInstance {CCB90152-B81E-11D2-AB74-0040054C3719}");
  EXPECT_THAT(log, testing::Not(testing::Contains(HasSubstr("SOZELTANO.dll"))));
}

TEST_F(RegistrationTest, AnUnregisteredProgIdFailsAndReleasesWhatWasCreated) {
  modules.files[kControlPath] = ControlFile();
  FakeModuleFile service = ServiceFile();
  service.progIds.clear();  // registers nothing
  modules.files[kServicePath] = service;

  EXPECT_FALSE(Register());
  EXPECT_EQ(log.back(), "Release {CCB90152-B81E-11D2-AB74-0040054C3719}");
  EXPECT_EQ(registry.liveObjects, 0);
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
