// Drives the rig's demo dialog through every function of the end-to-end
// driver. Runs under the English locale and, as e2e_driver_selftest_zh,
// under the Chinese one (KIT_WINE_LOCALE=zh_CN.UTF-8).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tests/e2e/driver-selftest/RigDemoIds.h"
#include "tests/e2e/driver/TestDriver.h"

namespace kit::e2e {
namespace {

std::wstring DemoExe() { return TestExeFolder() + L"rig_demo.exe"; }

bool ChineseRun() { return EnvVar("KIT_WINE_LOCALE").rfind("zh_CN", 0) == 0; }

// Runs the demo in one of its non-window modes and returns its exit code.
DWORD RunDemo(const std::wstring& args, const std::vector<std::wstring>& env = {}) {
  App app = App::Start(DemoExe(), args, L"", env);
  DWORD code = 0xDEADBEEF;
  EXPECT_TRUE(app.WaitForExit(kDefaultTimeoutMs, &code)) << "the demo did not end";
  return code;
}

::testing::AssertionResult TextBecomes(HWND hwnd, const std::wstring& expected, DWORD timeoutMs = 3000) {
  std::wstring last;
  if (WaitUntil([&] { return (last = ReadText(hwnd)) == expected; }, timeoutMs)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "text is \"" << std::string(last.begin(), last.end())
                                       << "\", expected \"" << std::string(expected.begin(), expected.end())
                                       << "\"";
}

// --- paths and environment -----------------------------------------------

TEST(DriverPaths, UnixPathsMapToDriveZ) {
  EXPECT_EQ(WindowsPathOf("/tmp/a b/c.png"), L"Z:\\tmp\\a b\\c.png");
  EXPECT_EQ(WindowsPathOf("C:\\already\\windows"), L"C:\\already\\windows");
  EXPECT_EQ(WindowsPathOf("relative/dir"), L"relative\\dir");
  EXPECT_EQ(WindowsPathOf("/tmp/\xE6\x89\x93"), L"Z:\\tmp\\\x6253");  // UTF-8 in, UTF-16 out
}

TEST(DriverPaths, ReadsTheEnvironmentAndLocatesFiles) {
  EXPECT_EQ(EnvVar("KIT_RIG_SURELY_UNSET"), "");
  ASSERT_TRUE(SetEnvironmentVariableW(L"KIT_RIG_UTF8", L"\x6253\x5370"));
  EXPECT_EQ(EnvVar("KIT_RIG_UTF8"), "\xE6\x89\x93\xE5\x8D\xB0");

  const std::wstring folder = TestExeFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_NE(GetFileAttributesW(DemoExe().c_str()), INVALID_FILE_ATTRIBUTES);

  if (EnvVar("KIT_DIST_DIR").empty()) GTEST_SKIP() << "not run by CTest";
  const std::wstring dist = DistFile("Quispor", "Quispor.exe");
  EXPECT_EQ(dist.rfind(L"Z:\\", 0), 0u);
  EXPECT_EQ(dist.substr(dist.size() - 20), L"\\Quispor\\Quispor.exe");
}

TEST(DriverPaths, CopyFolderCopiesEveryFileIntoANewFolder) {
  wchar_t temp[MAX_PATH] = {};
  ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring from = std::wstring(temp) + L"rig-copy-from";
  const std::wstring to = std::wstring(temp) + L"rig-copy-to\\deeper";
  CreateDirectoryW(from.c_str(), nullptr);
  for (const wchar_t* name : {L"\\a.txt", L"\\b.inf"}) {
    std::ofstream(std::filesystem::path(from + name)) << "data";
  }
  CreateDirectoryW((from + L"\\sub").c_str(), nullptr);  // not copied: not recursive
  CopyFolder(from, to);
  EXPECT_NE(GetFileAttributesW((to + L"\\a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesW((to + L"\\b.inf").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW((to + L"\\sub").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_THROW(CopyFolder(from + L"-missing", to), std::runtime_error);
}

// --- starting and ending programs -----------------------------------------

TEST(DriverApp, PassesExtraEnvironmentEntriesAndKeepsTheInheritedOnes) {
  ASSERT_TRUE(SetEnvironmentVariableW(L"KIT_RIG_INHERITED", L"7"));
  EXPECT_EQ(RunDemo(L"-env KIT_RIG_VALUE", {L"KIT_RIG_VALUE=42"}), 42u);
  EXPECT_EQ(RunDemo(L"-env KIT_RIG_INHERITED", {L"KIT_RIG_OTHER=1"}), 7u);
  // An extra entry replaces the inherited one whatever the case of its name.
  EXPECT_EQ(RunDemo(L"-env KIT_RIG_INHERITED", {L"kit_rig_inherited=9"}), 9u);
  EXPECT_EQ(RunDemo(L"-env KIT_RIG_VALUE"), 9999u);
  EXPECT_THROW(App::Start(DemoExe(), L"", L"", {L"NOEQUALS"}), std::invalid_argument);
}

TEST(DriverApp, StartingAMissingProgramThrows) {
  EXPECT_THROW(App::Start(TestExeFolder() + L"no-such-program.exe"), std::runtime_error);
}

TEST(DriverApp, KillEndsTheProgramAndSoDoesTheDestructor) {
  DWORD pid = 0;
  {
    App app = App::Start(DemoExe());
    ASSERT_NE(app.WaitForWindow(L"#32770", L"Rig Demo"), nullptr);
    App moved = std::move(app);  // ownership moves; the moved-from App is empty
    EXPECT_EQ(app.process(), nullptr);
    pid = moved.pid();
  }
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (process) {
    EXPECT_EQ(WaitForSingleObject(process, 5000), WAIT_OBJECT_0) << "the destructor left the program running";
    CloseHandle(process);
  }

  App app = App::Start(DemoExe());
  ASSERT_NE(app.WaitForWindow(L"#32770", nullptr), nullptr);
  DWORD code = 0;
  EXPECT_FALSE(app.WaitForExit(100, &code));
  app.Kill();
  EXPECT_TRUE(app.WaitForExit(1000, &code));
}

TEST(DriverApp, WaitForWindowGivesUpAsSoonAsTheProgramHasEnded) {
  App app = App::Start(DemoExe(), L"-langid");
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(app.WaitForWindow(L"#32770", nullptr, 10000), nullptr);
  EXPECT_LT(GetTickCount64() - start, 5000u);
}

TEST(DriverApp, TheSystemLanguageFollowsTheLocaleOfTheRun) {
  const LANGID expected = ChineseRun() ? 0x0804 : 0x0409;
  EXPECT_EQ(GetSystemDefaultLangID(), expected);
  EXPECT_EQ(RunDemo(L"-langid"), expected);
}

TEST(DriverApp, LcAllInAChildsEnvironmentDoesNotChangeItsLanguage) {
  // Measured under Wine 8: a process started by CreateProcess takes its
  // locale from the Unix side of the run, not from LC_ALL in its Windows
  // environment block. A Chinese run needs KIT_WINE_LOCALE for the whole
  // test program; App::Start's env cannot switch the language.
  const DWORD own = GetSystemDefaultLangID();
  EXPECT_EQ(RunDemo(L"-langid", {L"LC_ALL=zh_CN.UTF-8", L"LANG=zh_CN.UTF-8"}), own);
  EXPECT_EQ(RunDemo(L"-langid", {L"LC_ALL=en_US.UTF-8", L"LANG=en_US.UTF-8"}), own);
}

// --- the dialog ----------------------------------------------------------

class DemoDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    app_.emplace(App::Start(DemoExe()));
    dlg_ = app_->WaitForWindow(L"#32770", L"Rig Demo");
    ASSERT_NE(dlg_, nullptr) << "the demo dialog did not appear";
  }
  void TearDown() override {
    if (HasFailure()) {
      const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
      SaveScreenshot(std::string("failed-") + info->test_suite_name() + "-" + info->name());
    }
    app_.reset();
  }
  HWND Item(int id) const {
    HWND h = FindControlById(dlg_, id);
    EXPECT_NE(h, nullptr) << "no control " << id;
    return h;
  }
  TreeItem TreeItemNamed(const std::wstring& text) const {
    for (const TreeItem& item : TreeItems(Item(IDC_TREE))) {
      if (item.text == text) return item;
    }
    ADD_FAILURE() << "no tree item " << std::string(text.begin(), text.end());
    return {};
  }

  std::optional<App> app_;
  HWND dlg_ = nullptr;
};

TEST_F(DemoDialog, FindsControlsByIdLabelAndClass) {
  // Id 1001 is also the id of the combo box's inner edit, which comes first.
  HWND name = FindControlById(dlg_, IDC_NAME);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(GetParent(name), dlg_);
  EXPECT_EQ(FindControlById(dlg_, 4711), nullptr);

  HWND address = FindControlByLabel(dlg_, L"Address:");  // skips the static "(host)"
  ASSERT_NE(address, nullptr);
  EXPECT_EQ(GetDlgCtrlID(address), IDC_ADDRESS);
  EXPECT_EQ(FindControlByLabel(dlg_, L"Address"), nullptr);
  EXPECT_EQ(GetDlgCtrlID(FindControlByLabel(dlg_, L"Model:")), IDC_MODEL);

  EXPECT_EQ(GetDlgCtrlID(FindControlByClass(dlg_, L"button", L"Ask")), IDC_ASK);
  EXPECT_EQ(GetDlgCtrlID(FindControlByClass(dlg_, L"Edit")), IDC_NAME);
  EXPECT_EQ(FindControlByClass(dlg_, L"Button", L"Nothing"), nullptr);

  EXPECT_EQ(ClassOf(Item(IDC_TREE)), L"SysTreeView32");
  EXPECT_TRUE(IsShown(Item(IDC_TREE)));
  EXPECT_TRUE(IsEnabled(Item(IDC_ASK)));
  EXPECT_FALSE(IsEnabled(Item(IDC_LOCKED)));
}

TEST_F(DemoDialog, ReadsTextsAcrossProcessesIncludingChinese) {
  EXPECT_EQ(ReadText(dlg_), L"Rig Demo");
  EXPECT_EQ(ReadText(Item(IDC_CHINESE)), L"\x6253\x5370\x673A");
  EXPECT_EQ(ReadText(Item(IDC_ANSWER)), L"answer: none");
}

TEST_F(DemoDialog, SetTextNotifiesTheParentOnceAsAUserEditWould) {
  SetText(Item(IDC_NAME), L"Receipt");
  EXPECT_EQ(ReadText(Item(IDC_NAME)), L"Receipt");
  EXPECT_TRUE(TextBecomes(Item(IDC_NAME_CHANGES), L"changes: 1"));

  SetText(Item(IDC_NOTES), L"line 1\r\nline 2");
  EXPECT_EQ(ReadText(Item(IDC_NOTES)), L"line 1\r\nline 2");
  EXPECT_TRUE(TextBecomes(Item(IDC_NOTES_CHANGES), L"notes changes: 1"));

  SetText(Item(IDC_MODEL), L"Delta");
  EXPECT_EQ(ReadText(Item(IDC_MODEL)), L"Delta");
  EXPECT_TRUE(TextBecomes(Item(IDC_MODEL_EDITS), L"edits: 1"));
}

TEST_F(DemoDialog, ChoosesComboItemsByIndexAndExactText) {
  HWND model = Item(IDC_MODEL);
  EXPECT_EQ(ComboItems(model), (std::vector<std::wstring>{L"Alpha", L"beta", L"Beta", L"Gamma"}));
  EXPECT_EQ(ComboSelection(model), -1);
  ASSERT_TRUE(ChooseComboText(model, L"Beta"));
  EXPECT_EQ(ComboSelection(model), 2);
  EXPECT_TRUE(TextBecomes(Item(IDC_MODEL_STATUS), L"model: Beta"));
  EXPECT_FALSE(ChooseComboText(model, L"Omega"));
  EXPECT_EQ(ComboSelection(model), 2);
  ChooseComboItem(model, 0);
  EXPECT_TRUE(TextBecomes(Item(IDC_MODEL_STATUS), L"model: Alpha"));
  EXPECT_THROW(ChooseComboItem(model, 4), std::out_of_range);
  EXPECT_THROW(ChooseComboItem(model, -1), std::out_of_range);
}

TEST_F(DemoDialog, ClicksButtonsByMessageAndByRealMouseInput) {
  HWND check = Item(IDC_DEFAULT);
  EXPECT_FALSE(IsChecked(check));
  Click(check);
  EXPECT_TRUE(WaitUntil([&] { return IsChecked(check); }, 3000));

  RECT rc = {};
  GetClientRect(check, &rc);
  MouseClickAt(check, POINT{8, (rc.bottom - rc.top) / 2});
  EXPECT_TRUE(WaitUntil([&] { return !IsChecked(check); }, 3000)) << "the real click did not arrive";
  MouseClickAt(check, POINT{8, (rc.bottom - rc.top) / 2});  // a second click, not a double click
  EXPECT_TRUE(WaitUntil([&] { return IsChecked(check); }, 3000));
}

TEST_F(DemoDialog, ADisabledButtonCannotBeClicked) {
  Click(Item(IDC_LOCKED));
  Sleep(300);
  EXPECT_EQ(ReadText(Item(IDC_ANSWER)), L"answer: none");
}

TEST_F(DemoDialog, TypesTextAndKeysIntoTheFocusedControl) {
  HWND name = Item(IDC_NAME);
  SetText(name, L"old");
  TypeText(name, L"abc");
  EXPECT_EQ(ReadText(name), L"abc");  // typing replaced the selected old text
  PressKey(VK_BACK);
  EXPECT_TRUE(TextBecomes(name, L"ab"));
  PressKey(VK_HOME);  // an extended key
  PressKey('X');
  EXPECT_TRUE(TextBecomes(name, L"xab"));
  TypeText(Item(IDC_ADDRESS), L"\x6253 10.0.0.1");
  EXPECT_EQ(ReadText(Item(IDC_ADDRESS)), L"\x6253 10.0.0.1");
}

TEST_F(DemoDialog, ListsTreeItemsInDisplayOrderWithTheirState) {
  const std::vector<TreeItem> items = TreeItems(Item(IDC_TREE));
  ASSERT_EQ(items.size(), 5u);
  const std::pair<const wchar_t*, int> expected[] = {
      {L"Printers", 0}, {L"Receipt 1", 1}, {L"Receipt 2", 1}, {L"Scanners", 0}, {L"Flatbed", 1}};
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].text, expected[i].first) << i;
    EXPECT_EQ(items[i].level, expected[i].second) << i;
  }
  EXPECT_TRUE(items[0].expanded);
  EXPECT_FALSE(items[3].expanded);
  EXPECT_TRUE(items[1].selected);
  EXPECT_FALSE(items[2].selected);
}

TEST_F(DemoDialog, ClickingATreeItemSelectsItAfterTheClickNotification) {
  HWND tree = Item(IDC_TREE);
  ClickTreeItem(tree, TreeItemNamed(L"Receipt 2"));
  EXPECT_TRUE(TreeItemNamed(L"Receipt 2").selected);
  EXPECT_TRUE(TextBecomes(Item(IDC_TREE_SELECTED), L"selected: Receipt 2"));
  // NM_CLICK arrives while the selection is still on the previous item.
  EXPECT_TRUE(TextBecomes(Item(IDC_TREE_CLICK), L"clicked: Receipt 2 caret: Receipt 1"));

  ClickTreeItem(tree, TreeItemNamed(L"Printers"), MouseButton::Right);
  EXPECT_TRUE(TextBecomes(Item(IDC_TREE_CLICK), L"right-clicked: Printers caret: Receipt 2"));
  EXPECT_TRUE(TreeItemNamed(L"Receipt 2").selected) << "a right click moved the selection";
}

TEST_F(DemoDialog, ItemsInsideCollapsedNodesMustBeExpandedBeforeAClick) {
  HWND tree = Item(IDC_TREE);
  EXPECT_THROW(ClickTreeItem(tree, TreeItemNamed(L"Flatbed")), std::runtime_error);
  ExpandTreeItem(tree, TreeItemNamed(L"Scanners"));
  EXPECT_TRUE(TreeItemNamed(L"Scanners").expanded);
  ClickTreeItem(tree, TreeItemNamed(L"Flatbed"));
  EXPECT_TRUE(TextBecomes(Item(IDC_TREE_SELECTED), L"selected: Flatbed"));
}

TEST_F(DemoDialog, ReadsAndAnswersAQuestionBox) {
  EXPECT_FALSE(WaitForMessageBox(app_->pid(), 300)) << "the main dialog was taken for a message box";
  Click(Item(IDC_ASK));
  const auto box = WaitForMessageBox(app_->pid());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, L"Rig Demo");
  EXPECT_EQ(box->text, L"Save the changes?");
  // Wine names the buttons in the run's language.
  const std::vector<std::wstring> yesNo = ChineseRun() ? std::vector<std::wstring>{L"\x662F(&Y)", L"\x5426(&N)"}
                                                       : std::vector<std::wstring>{L"&Yes", L"&No"};
  EXPECT_EQ(box->buttons, yesNo);
  EXPECT_TRUE(box->hasIcon);
  SaveScreenshot(ChineseRun() ? "question-box-zh" : "question-box");

  EXPECT_FALSE(WaitForMessageBox(app_->pid(), 300)) << "the same box was handed out twice";
  EXPECT_THROW(AnswerMessageBox(*box, IDCANCEL), std::runtime_error);
  // While the box is up the dialog is disabled: a user could not click it.
  Click(Item(IDC_NOTE));
  AnswerMessageBox(*box, IDNO);
  EXPECT_FALSE(IsWindow(box->hwnd));
  EXPECT_TRUE(TextBecomes(Item(IDC_ANSWER), L"answer: no"));
  EXPECT_FALSE(WaitForMessageBox(app_->pid(), 300)) << "the click on Note went through the modal box";
}

TEST_F(DemoDialog, ABoxWithoutIconSaysSo) {
  Click(Item(IDC_NOTE));
  const auto box = WaitForMessageBox(app_->pid());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"Plain note");
  EXPECT_EQ(box->buttons, std::vector<std::wstring>{ChineseRun() ? L"\x786E\x5B9A" : L"OK"});
  EXPECT_FALSE(box->hasIcon);
  AnswerMessageBox(*box, IDOK);
  EXPECT_TRUE(TextBecomes(Item(IDC_ANSWER), L"note: ok"));
}

TEST_F(DemoDialog, EndsWithTheExitCodeTheUserChose) {
  SetText(Item(IDC_EXIT_CODE), L"7");
  Click(Item(IDC_EXIT));
  DWORD code = 0;
  ASSERT_TRUE(app_->WaitForExit(kDefaultTimeoutMs, &code));
  EXPECT_EQ(code, 7u);
}

TEST_F(DemoDialog, SavesTheScreenAsAPngFile) {
  const std::wstring path = SaveScreenshot(ChineseRun() ? "rig-demo-zh" : "rig-demo");
  ASSERT_FALSE(path.empty());
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  const std::vector<unsigned char> png{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(std::vector<unsigned char>(png.begin(), png.begin() + 8),
            (std::vector<unsigned char>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  auto be32 = [&](size_t at) {
    return (uint32_t{png[at]} << 24) | (uint32_t{png[at + 1]} << 16) | (uint32_t{png[at + 2]} << 8) | png[at + 3];
  };
  EXPECT_EQ(be32(16), static_cast<uint32_t>(GetSystemMetrics(SM_CXVIRTUALSCREEN)));
  EXPECT_EQ(be32(20), static_cast<uint32_t>(GetSystemMetrics(SM_CYVIRTUALSCREEN)));
  // A name cannot leave the screenshot folder.
  const std::wstring odd = SaveScreenshot("..\\up/and:out");
  ASSERT_FALSE(odd.empty());
  EXPECT_NE(odd.find(L"\\.._up_and_out.png"), std::wstring::npos);
}

}  // namespace
}  // namespace kit::e2e
