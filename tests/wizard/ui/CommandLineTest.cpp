#include "wizard/ui/navigation/CommandLine.h"

#include <gtest/gtest.h>

#include "wizard/ui/navigation/WizardSelections.h"
#include "wizard/engine/WideText.h"
#include "tests/wizard/ui/EnglishTexts.h"
#include "tests/wizard/ui/RecordingHost.h"

namespace quispor {
namespace {

TEST(UninstallFlag, FoundAnywhereAsCaseSensitiveSubstring) {
  EXPECT_TRUE(HasUninstallFlag(u"-uninstall"));
  EXPECT_TRUE(HasUninstallFlag(u"/quiet -uninstall"));
  EXPECT_TRUE(HasUninstallFlag(u"x-uninstallnow"));
  EXPECT_FALSE(HasUninstallFlag(u"-Uninstall"));
  EXPECT_FALSE(HasUninstallFlag(u"-UNINSTALL"));
  EXPECT_FALSE(HasUninstallFlag(u"uninstall"));
  EXPECT_FALSE(HasUninstallFlag(u"-uninstal"));
  EXPECT_FALSE(HasUninstallFlag(u""));
}

TEST(UninstallFlag, ProgramNameIsNotPartOfTheTail) {
  // A program stored in a folder called "-uninstall" must not set the flag.
  EXPECT_FALSE(HasUninstallFlag(CommandTail(u"\"C:\\x -uninstall\\Quispor.exe\"")));
  EXPECT_FALSE(HasUninstallFlag(CommandTail(u"C:\\x-uninstall\\Quispor.exe")));
  EXPECT_TRUE(HasUninstallFlag(CommandTail(u"\"C:\\Kit\\Quispor.exe\" -uninstall")));
}

TEST(CommandTail, SkipsQuotedOrPlainProgramNameAndBlanks) {
  EXPECT_EQ(CommandTail(u"\"C:\\Program Files\\Quispor.exe\"  -a b"), u"-a b");
  EXPECT_EQ(CommandTail(u"Quispor.exe\t-a"), u"-a");
  EXPECT_EQ(CommandTail(u"Quispor.exe"), u"");
  EXPECT_EQ(CommandTail(u"\"unterminated -uninstall"), u"");
  EXPECT_EQ(CommandTail(u""), u"");
}

TEST(WideText, CopyCutsAtCapacityAndTerminates) {
  char16_t buffer[8];
  for (auto& c : buffer) c = u'#';
  EXPECT_FALSE(CopyWideText(buffer, 5, u"abcdefgh")) << "cut";
  EXPECT_EQ(std::u16string(buffer), u"abcd");
  EXPECT_EQ(buffer[5], u'#') << "nothing written past the capacity";
  EXPECT_TRUE(CopyWideText(buffer, 5, u"abcd")) << "four characters and the terminator fit whole";
  EXPECT_FALSE(CopyWideText(buffer, 5, std::u16string_view(u"abcde")));
  EXPECT_TRUE(CopyWideText(buffer, 5, nullptr));
  EXPECT_EQ(buffer[0], 0);
}

TEST(WideText, AppendStaysWithinCapacityEvenOnAnUnterminatedBuffer) {
  char16_t buffer[6] = {u'a', u'b', u'c', 0, u'#', u'#'};
  AppendWideText(buffer, 5, u"xyz");
  EXPECT_EQ(std::u16string(buffer), u"abcx");
  char16_t full[4] = {u'a', u'b', u'c', u'd'};
  AppendWideText(full, 4, u"e");
  EXPECT_EQ(std::u16string(full, 3), u"abc");
  EXPECT_EQ(full[3], 0);
}

TEST(WizardSelections, StartWithTheFirstModelUsbAndDefaultPrinter) {
  WizardSelections s;
  EXPECT_FALSE(s.uninstall);
  EXPECT_EQ(s.modelIndex, 0);
  EXPECT_EQ(std::u16string(s.modelName), u"VEXO_216");
  EXPECT_TRUE(s.setAsDefault);
  EXPECT_EQ(s.portKind, PORT_USB);
  EXPECT_EQ(s.portName[0], 0);
  EXPECT_EQ(static_cast<int>(PORT_USB), 0);
  EXPECT_EQ(static_cast<int>(PORT_ENET), 1);
  EXPECT_EQ(static_cast<int>(PORT_COM), 2);
  EXPECT_EQ(static_cast<int>(PORT_LPT), 3);
}

}  // namespace
}  // namespace quispor
