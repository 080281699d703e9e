// Vantrel.exe started for real with two prepared devices, driven with real
// mouse clicks and keys; the registry is checked from outside afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "console/win32/resource.h"
#include "tests/e2e/console/ConsoleRegistry.h"
#include "tests/e2e/driver/TestDriver.h"

namespace vantrel::e2e {
namespace {

using kit::e2e::App;
using kit::e2e::TreeItem;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::wstring WithoutAccelerator(std::wstring text) {
  std::erase(text, L'&');
  return text;
}

struct MenuSearch {
  DWORD pid;
  bool found;
};

BOOL CALLBACK FindMenu(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<MenuSearch*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->pid && IsWindowVisible(hwnd) && kit::e2e::ClassOf(hwnd) == L"#32768") {
    search->found = true;
  }
  return TRUE;
}

// The system's registry tool in the bitness of the system: a double click
// or "reg import" runs that one. On 64-bit Windows a 32-bit program reaches
// it through Sysnative, and the 32-bit view is below WOW6432Node there.
struct RegTool {
  std::wstring exe;
  std::wstring classKey;  // the console's class key as that tool names it
};
RegTool SystemRegTool() {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  return {std::wstring(windows) + (wow64 ? L"\\Sysnative" : L"\\System32") + L"\\reg.exe",
          std::wstring(L"HKLM\\SOFTWARE\\") + (wow64 ? L"WOW6432Node\\" : L"") + L"OLEforRetail\\ServiceOPOS\\POSPRINTER"};
}

// Runs the registry tool with args; its exit code.
DWORD RunRegTool(const std::wstring& args) {
  kit::e2e::App tool = kit::e2e::App::Start(SystemRegTool().exe, args);
  DWORD code = 1;
  EXPECT_TRUE(tool.WaitForExit(30000, &code));
  return code;
}

std::vector<BYTE> FileBytes(const std::wstring& path) {
  std::vector<BYTE> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  BYTE buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.insert(bytes.end(), buffer, buffer + read);
  CloseHandle(file);
  return bytes;
}

class VantrelConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearProfiles();
    // Front first, so that registry order (sorted) differs from creation order.
    PutSz(L"Front", L"", L"SOZELTANO.OPOSPrinter");
    PutSz(L"Front", L"Pid", L"P-7");
    PutSz(L"Front", L"DeviceName", L"Front");
    PutSz(L"Front", L"Version", L"1.13");
    PutDword(L"Front", L"Timeout", 1000);
    PutSz(L"Front", L"CommName", L"COM3");
    PutDword(L"Front", L"Baudrate", 19200);
    PutDword(L"Front", L"ProtocolType", 0);
    PutSz(L"Back", L"DeviceName", L"Back");
    PutDword(L"Back", L"Timeout", 1);
    PutSz(L"Back", L"TcpIp", L"10.1.1.1");
    PutDword(L"Back", L"TcpPort", 9100);
    PutDword(L"Back", L"ProtocolType", 1);
    PutSz(L"", L"Alias", L"Front");

    // A folder of its own, so nothing else beside the program is picked up.
    const std::wstring folder = L"C:\\kit-console\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring exe = folder + L"Vantrel.exe";
    ASSERT_TRUE(CopyFileW(kit::e2e::DistFile("Vantrel", "Vantrel.exe").c_str(), exe.c_str(), FALSE))
        << GetLastError();
    app.emplace(App::Start(exe));
    main = app->WaitForWindow(L"TMainFM", L"ZELTANOOpos");
    ASSERT_NE(main, nullptr);
    tree = Ctl(IDC_DEVTREE);
    ASSERT_NE(tree, nullptr);
    ASSERT_TRUE(kit::e2e::WaitUntil([&] { return kit::e2e::TreeItems(tree).size() == 3; }));
  }

  void TearDown() override {
    if (app) app->Kill();
    MakeWritable(L"Front");
    ClearProfiles();
  }

  HWND Ctl(int id) const { return kit::e2e::FindControlById(main, id); }
  std::wstring Text(int id) const { return kit::e2e::ReadText(Ctl(id)); }

  TreeItem Item(const std::wstring& text) const {
    for (const TreeItem& item : kit::e2e::TreeItems(tree)) {
      if (item.text == text) return item;
    }
    throw std::runtime_error("no tree item");
  }
  std::vector<std::wstring> TreeTexts() const {
    std::vector<std::wstring> texts;
    for (const TreeItem& item : kit::e2e::TreeItems(tree)) {
      texts.push_back(std::wstring(static_cast<std::size_t>(item.level) * 2, L' ') + item.text);
    }
    return texts;
  }
  void ClickDevice(const std::wstring& name) {
    kit::e2e::ClickTreeItem(tree, Item(name));
    ASSERT_TRUE(kit::e2e::WaitUntil([&] { return Text(IDC_EDTDEVNAME) == name; }))
        << "editor shows \"" << std::string(Text(IDC_EDTDEVNAME).begin(), Text(IDC_EDTDEVNAME).end()) << '"';
  }
  bool MenuOpen() const {
    MenuSearch search{app->pid(), false};
    EnumWindows(FindMenu, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  // Right-click on the node, then choose item 0 "Delete", 1 "Export..." or
  // 2 "Import..." from the context menu with the keys.
  bool ChooseFromMenu(const std::wstring& name, int item) {
    kit::e2e::ClickTreeItem(tree, Item(name), kit::e2e::MouseButton::Right);
    if (!kit::e2e::WaitUntil([&] { return MenuOpen(); })) return false;
    kit::e2e::SaveScreenshot("console-menu-" + std::string(name.begin(), name.end()));
    for (int i = 0; i <= item; ++i) kit::e2e::PressKey(VK_DOWN);
    kit::e2e::PressKey(VK_RETURN);
    return true;
  }
  std::optional<kit::e2e::MessageBoxInfo> DeleteByMenu(const std::wstring& name) {
    if (!ChooseFromMenu(name, 0)) return std::nullopt;
    return kit::e2e::WaitForMessageBox(app->pid());
  }
  // Answers the box that comes next with the button given, after checking
  // its text.
  ::testing::AssertionResult Answer(const std::wstring& text, int button) {
    auto box = kit::e2e::WaitForMessageBox(app->pid());
    if (!box) return ::testing::AssertionFailure() << "no message box";
    if (box->text != text) {
      return ::testing::AssertionFailure() << "the box says \"" << Narrow(box->text) << '"';
    }
    kit::e2e::AnswerMessageBox(*box, button);
    return ::testing::AssertionSuccess();
  }
  // "Import..." on the class node with the file given, answering the
  // question (checked) with Yes; the text of the box that follows, shown in
  // the screenshot named.
  std::wstring ImportByMenu(const std::wstring& path, const std::wstring& question, const std::string& shot) {
    if (!ChooseFromMenu(L"POSPrinter", 2)) return L"no menu";
    if (!kit::e2e::AnswerFileDialog(app->pid(), path)) return L"no file dialog";
    if (!Answer(question, IDYES)) return L"another question";
    auto box = kit::e2e::WaitForMessageBox(app->pid());
    if (!box) return L"no message box";
    kit::e2e::SaveScreenshot(shot);
    const std::wstring text = box->text;
    kit::e2e::AnswerMessageBox(*box, IDOK);
    return text;
  }
  // Which connection pages show their controls: RS232, TCP/IP, USB.
  std::vector<bool> PagesShown() const {
    return {kit::e2e::IsShown(Ctl(IDC_CBBCOM)), kit::e2e::IsShown(Ctl(IDC_EDTIP)),
            kit::e2e::IsShown(Ctl(IDC_CBUSBDEV))};
  }
  int TabCount() const {
    return static_cast<int>(SendMessageW(Ctl(IDC_PAGECONTROL1), TCM_GETITEMCOUNT, 0, 0));
  }

  std::optional<App> app;
  HWND main = nullptr;
  HWND tree = nullptr;
};

TEST_F(VantrelConsoleTest, StartsWithTheExpandedClassNodeAndTheUsbPage) {
  kit::e2e::SaveScreenshot("console-01-start");
  const auto items = kit::e2e::TreeItems(tree);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].text, L"POSPrinter");
  EXPECT_TRUE(items[0].expanded);
  // Registry order: both Windows and Wine enumerate subkeys sorted.
  EXPECT_EQ(SubkeyNames(L""), (std::vector<std::wstring>{L"Back", L"Front"}));
  EXPECT_EQ(TreeTexts(), (std::vector<std::wstring>{L"POSPrinter", L"  Back", L"  Front"}));

  EXPECT_EQ(kit::e2e::FindControlByLabel(main, L"Device Name:"), Ctl(IDC_EDTDEVNAME));
  EXPECT_EQ(kit::e2e::FindControlByLabel(main, L"Alternate Name:"), Ctl(IDC_EDTLNAME));
  EXPECT_EQ(kit::e2e::FindControlByLabel(main, L"Connect Type:"), Ctl(IDC_CBCONN));
  EXPECT_EQ(kit::e2e::FindControlByLabel(main, L"COM:"), Ctl(IDC_CBBCOM));
  EXPECT_EQ(kit::e2e::FindControlByLabel(main, L"Baud Rate:"), Ctl(IDC_CBBAUDRATE));
  EXPECT_EQ(kit::e2e::FindControlByLabel(main, L"IP:"), Ctl(IDC_EDTIP));
  EXPECT_EQ(kit::e2e::FindControlByLabel(main, L"Port:"), Ctl(IDC_EDTPORT));
  EXPECT_EQ(kit::e2e::FindControlByLabel(main, L"USB Device:"), Ctl(IDC_CBUSBDEV));

  EXPECT_EQ(kit::e2e::ComboItems(Ctl(IDC_CBCONN)),
            (std::vector<std::wstring>{L"RS232", L"TCP/IP", L"USB"}));
  EXPECT_EQ(kit::e2e::ComboSelection(Ctl(IDC_CBCONN)), 2);
  EXPECT_EQ(Text(IDC_CBBCOM), L"COM1");
  EXPECT_EQ(kit::e2e::ComboItems(Ctl(IDC_CBBCOM)).size(), 8u);
  EXPECT_EQ(Text(IDC_CBBAUDRATE), L"9600");
  EXPECT_EQ(Text(IDC_EDTDEVNAME), L"");
  EXPECT_EQ(Text(IDC_CBUSBDEV), L"");
  EXPECT_EQ(PagesShown(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(TabCount(), 1);
  EXPECT_EQ(kit::e2e::ReadText(main), L"ZELTANOOpos");
  EXPECT_EQ(WithoutAccelerator(Text(IDC_BTNSAVE)), L"Save");
  EXPECT_EQ(WithoutAccelerator(Text(IDC_BTNTEST)), L"CheckHealth");
}

TEST_F(VantrelConsoleTest, ClickingADeviceFillsTheEditorAndShowsItsPage) {
  ClickDevice(L"Front");
  kit::e2e::SaveScreenshot("console-02-front");
  EXPECT_EQ(Text(IDC_EDTLNAME), L"Alias");
  EXPECT_EQ(kit::e2e::ComboSelection(Ctl(IDC_CBCONN)), 0);
  EXPECT_EQ(Text(IDC_CBBCOM), L"COM3");
  EXPECT_EQ(Text(IDC_CBBAUDRATE), L"19200");
  EXPECT_EQ(PagesShown(), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(TabCount(), 1);

  ClickDevice(L"Back");
  kit::e2e::SaveScreenshot("console-03-back");
  EXPECT_EQ(Text(IDC_EDTLNAME), L"");
  EXPECT_EQ(Text(IDC_EDTIP), L"10.1.1.1");
  EXPECT_EQ(Text(IDC_EDTPORT), L"9100");
  EXPECT_EQ(PagesShown(), (std::vector<bool>{false, true, false}));

  // A click on the class node loads nothing.
  kit::e2e::ClickTreeItem(tree, Item(L"POSPrinter"));
  Sleep(300);
  EXPECT_EQ(Text(IDC_EDTDEVNAME), L"Back");
}

TEST_F(VantrelConsoleTest, SaveWritesTheFourteenValuesAndRebuildsTheTree) {
  ClickDevice(L"Front");
  kit::e2e::SetText(Ctl(IDC_EDTDEVNAME), L"Kitchen");
  kit::e2e::SetText(Ctl(IDC_EDTLNAME), L"Hot");
  kit::e2e::ChooseComboItem(Ctl(IDC_CBCONN), 1);
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return PagesShown() == std::vector<bool>{false, true, false}; }));
  kit::e2e::SetText(Ctl(IDC_EDTIP), L"192.168.7.9");
  kit::e2e::SetText(Ctl(IDC_EDTPORT), L"port");
  kit::e2e::SaveScreenshot("console-04-edited");
  kit::e2e::Click(Ctl(IDC_BTNSAVE));
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return KeyExists(L"Kitchen") && TreeTexts().size() == 4; }));
  kit::e2e::SaveScreenshot("console-05-saved");

  EXPECT_EQ(TreeTexts(),
            (std::vector<std::wstring>{L"POSPrinter", L"  Back", L"  Front", L"  Kitchen"}));
  EXPECT_TRUE(HasSz(L"Kitchen", L"", L"SOZELTANO.OPOSPrinter"));
  EXPECT_TRUE(HasSz(L"Kitchen", L"Pid", L"P-7"));
  EXPECT_TRUE(HasSz(L"Kitchen", L"DeviceClass", L"POSPrinter"));
  EXPECT_TRUE(HasSz(L"Kitchen", L"DeviceName", L"Kitchen"));
  EXPECT_TRUE(HasSz(L"Kitchen", L"DevType", L""));
  EXPECT_TRUE(HasSz(L"Kitchen", L"TcpIp", L"192.168.7.9"));
  EXPECT_TRUE(HasDword(L"Kitchen", L"TcpPort", 5100));
  EXPECT_TRUE(HasDword(L"Kitchen", L"Timeout", 1000));
  EXPECT_TRUE(HasSz(L"Kitchen", L"Version", L"1.13"));
  EXPECT_TRUE(HasDword(L"Kitchen", L"USBType", 0));
  EXPECT_TRUE(HasSz(L"Kitchen", L"USBDevName", L""));
  EXPECT_TRUE(HasSz(L"Kitchen", L"CommName", L"COM3"));
  EXPECT_TRUE(HasDword(L"Kitchen", L"Baudrate", 19200));
  EXPECT_TRUE(HasDword(L"Kitchen", L"ProtocolType", 1));
  EXPECT_EQ(ValueNames(L"Kitchen").size(), 14u);
  EXPECT_TRUE(HasSz(L"", L"Hot", L"Kitchen"));
  EXPECT_TRUE(HasSz(L"", L"Alias", L"Front"));
  EXPECT_TRUE(KeyExists(L"Front"));
}

TEST_F(VantrelConsoleTest, TypingAConnectionTextHidesEveryPageAndSavesMinusOne) {
  ClickDevice(L"Front");
  kit::e2e::TypeText(Ctl(IDC_CBCONN), L"Serial");
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return PagesShown() == std::vector<bool>{false, false, false}; }));
  EXPECT_EQ(kit::e2e::ComboSelection(Ctl(IDC_CBCONN)), -1);
  EXPECT_EQ(TabCount(), 0);
  kit::e2e::SaveScreenshot("console-10-typed-connection");
  kit::e2e::Click(Ctl(IDC_BTNSAVE));
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return HasDword(L"Front", L"ProtocolType", 0xFFFFFFFFu); }));
}

TEST_F(VantrelConsoleTest, TheContextMenuOpensOnlyOverANode) {
  RECT client = {};
  GetClientRect(tree, &client);
  kit::e2e::MouseClickAt(tree, POINT{client.right / 2, client.bottom - 20},
                         kit::e2e::MouseButton::Right);
  Sleep(700);
  EXPECT_FALSE(MenuOpen());
  kit::e2e::ClickTreeItem(tree, Item(L"POSPrinter"), kit::e2e::MouseButton::Right);
  EXPECT_TRUE(kit::e2e::WaitUntil([&] { return MenuOpen(); }));
  kit::e2e::PressKey(VK_ESCAPE);
  EXPECT_TRUE(kit::e2e::WaitUntil([&] { return !MenuOpen(); }));
}

TEST_F(VantrelConsoleTest, DeleteAnsweredNoKeepsTheKeyAndYesRemovesIt) {
  ClickDevice(L"Front");
  auto box = DeleteByMenu(L"Front");
  ASSERT_TRUE(box);
  kit::e2e::SaveScreenshot("console-06-delete-question");
  EXPECT_EQ(box->caption, L"Delete Device");
  EXPECT_EQ(box->text, L"Are you sure to delete device Front ?");
  ASSERT_EQ(box->buttons.size(), 2u);
  EXPECT_EQ(WithoutAccelerator(box->buttons[0]), L"Yes");
  EXPECT_EQ(WithoutAccelerator(box->buttons[1]), L"No");
  EXPECT_FALSE(box->hasIcon);
  kit::e2e::AnswerMessageBox(*box, IDNO);
  Sleep(300);
  EXPECT_TRUE(KeyExists(L"Front"));
  EXPECT_EQ(TreeTexts().size(), 3u);

  box = DeleteByMenu(L"Front");
  ASSERT_TRUE(box);
  kit::e2e::AnswerMessageBox(*box, IDYES);
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return !KeyExists(L"Front"); }));
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return TreeTexts().size() == 2; }));
  kit::e2e::SaveScreenshot("console-07-deleted");
  EXPECT_EQ(TreeTexts(), (std::vector<std::wstring>{L"POSPrinter", L"  Back"}));
  EXPECT_EQ(ValueNames(L""), std::vector<std::wstring>{});
  EXPECT_TRUE(KeyExists(L"Back"));
  // The editor shows the deleted device again from memory.
  EXPECT_EQ(Text(IDC_EDTDEVNAME), L"Front");
  EXPECT_EQ(Text(IDC_EDTLNAME), L"");
}

TEST_F(VantrelConsoleTest, AnEmptyDeviceNameIsRefusedInTheErrorDisplay) {
  kit::e2e::Click(Ctl(IDC_BTNSAVE));
  auto box = kit::e2e::WaitForMessageBox(app->pid());
  ASSERT_TRUE(box);
  kit::e2e::SaveScreenshot("console-08-empty-name");
  EXPECT_EQ(box->caption, L"Vantrel");
  EXPECT_EQ(box->text, L"Device name must not be empty.");
  EXPECT_TRUE(box->hasIcon);
  ASSERT_EQ(box->buttons.size(), 1u);
  EXPECT_EQ(box->buttons[0], L"OK");
  kit::e2e::AnswerMessageBox(*box, IDOK);
  EXPECT_EQ(SubkeyNames(L""), (std::vector<std::wstring>{L"Back", L"Front"}));
  EXPECT_EQ(ValueNames(L""), std::vector<std::wstring>{L"Alias"});
  // The window stays usable.
  ClickDevice(L"Back");
}

TEST_F(VantrelConsoleTest, ARegistryRefusalDuringSaveIsShownInTheErrorDisplay) {
  ASSERT_TRUE(MakeReadOnly(L"Front"));
  kit::e2e::SetText(Ctl(IDC_EDTDEVNAME), L"Front");
  kit::e2e::Click(Ctl(IDC_BTNSAVE));
  // A key that cannot be opened for writing still exists.
  ASSERT_TRUE(Answer(L"Device Front already exists. Replace it?", IDYES));
  auto box = kit::e2e::WaitForMessageBox(app->pid());
  ASSERT_TRUE(box);
  kit::e2e::SaveScreenshot("console-09-save-error");
  EXPECT_EQ(box->caption, L"Vantrel");
  EXPECT_EQ(box->text, L"Failed to create key Front.\nAdministrator rights are needed to change the device profiles.");
  EXPECT_TRUE(box->hasIcon);
  ASSERT_EQ(box->buttons.size(), 1u);
  EXPECT_EQ(box->buttons[0], L"OK");
  kit::e2e::AnswerMessageBox(*box, IDOK);
  EXPECT_TRUE(HasDword(L"Front", L"Baudrate", 19200));
  ClickDevice(L"Back");
}

TEST_F(VantrelConsoleTest, TheKeyboardLoadsDevicesAndDelDeletesOneAfterItsQuestion) {
  kit::e2e::FocusWindow(tree);
  kit::e2e::PressKey(VK_HOME);
  kit::e2e::PressKey(VK_DOWN);
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return Text(IDC_EDTDEVNAME) == L"Back"; }));
  EXPECT_EQ(Text(IDC_EDTIP), L"10.1.1.1");
  kit::e2e::PressKey(VK_DOWN);
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return Text(IDC_EDTLNAME) == L"Alias"; }));
  kit::e2e::SaveScreenshot("console-11-keyboard");

  kit::e2e::PressKey(VK_DELETE);
  ASSERT_TRUE(Answer(L"Are you sure to delete device Front ?", IDYES));
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return !KeyExists(L"Front") && TreeTexts().size() == 2; }));
  EXPECT_TRUE(KeyExists(L"Back"));

  // The menu key opens the menu on the selected node: Delete names it.
  kit::e2e::PressKey(VK_END);
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return Text(IDC_EDTDEVNAME) == L"Back"; }));
  kit::e2e::PressKey(VK_APPS);
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return MenuOpen(); }));
  kit::e2e::PressKey(VK_DOWN);
  kit::e2e::PressKey(VK_RETURN);
  EXPECT_TRUE(Answer(L"Are you sure to delete device Back ?", IDNO));
}

TEST_F(VantrelConsoleTest, SavingOverAnotherDeviceAsksAndNoKeepsIt) {
  ClickDevice(L"Front");
  kit::e2e::SetText(Ctl(IDC_EDTDEVNAME), L"Back");
  kit::e2e::Click(Ctl(IDC_BTNSAVE));
  auto box = kit::e2e::WaitForMessageBox(app->pid());
  ASSERT_TRUE(box);
  kit::e2e::SaveScreenshot("console-12-replace-question");
  EXPECT_EQ(box->text, L"Device Back already exists. Replace it?");
  ASSERT_EQ(box->buttons.size(), 2u);
  EXPECT_EQ(WithoutAccelerator(box->buttons[1]), L"No");
  kit::e2e::AnswerMessageBox(*box, IDNO);
  // Long enough for a save that No did not stop to show.
  Sleep(300);
  EXPECT_EQ(TreeTexts().size(), 3u);
  EXPECT_TRUE(HasDword(L"Back", L"ProtocolType", 1));
  EXPECT_TRUE(HasSz(L"Back", L"TcpIp", L"10.1.1.1"));
}

TEST_F(VantrelConsoleTest, ExportDeleteImportRestoresTheProfileByteForByte) {
  // Saved once by the console, so that it has all 14 values.
  ClickDevice(L"Front");
  kit::e2e::Click(Ctl(IDC_BTNSAVE));
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return ValueNames(L"Front").size() == 14; }));
  const RawValues device = ReadValues(L"Front");
  const RawValues classValues = ReadValues(L"");
  ASSERT_TRUE(ChooseFromMenu(L"Front", 1));
  ASSERT_TRUE(kit::e2e::AnswerFileDialog(app->pid(), L"C:\\kit-console\\front.reg"));
  ASSERT_TRUE(Answer(L"Exported 1 device to C:\\kit-console\\front.reg.", IDOK));

  // The save rebuilt the tree: "Delete" acts on the device clicked next.
  ClickDevice(L"Front");
  auto box = DeleteByMenu(L"Front");
  ASSERT_TRUE(box);
  kit::e2e::AnswerMessageBox(*box, IDYES);
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return !KeyExists(L"Front") && TreeTexts().size() == 2; }));

  ASSERT_TRUE(ChooseFromMenu(L"POSPrinter", 2));
  ASSERT_TRUE(kit::e2e::AnswerFileDialog(app->pid(), L"C:\\kit-console\\front.reg"));
  box = kit::e2e::WaitForMessageBox(app->pid());
  ASSERT_TRUE(box);
  kit::e2e::SaveScreenshot("console-13-import-question");
  EXPECT_EQ(box->text, L"Import 1 device from front.reg?\n\nDevices to add: Front\nAlternate names to add: Alias for Front");
  kit::e2e::AnswerMessageBox(*box, IDYES);
  // Nothing was replaced, so no backup was needed.
  ASSERT_TRUE(Answer(L"Imported 1 device from front.reg.", IDOK));
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return TreeTexts().size() == 3; }));
  EXPECT_EQ(ReadValues(L"Front"), device);
  EXPECT_EQ(ReadValues(L""), classValues);
}

TEST_F(VantrelConsoleTest, AFileTheSystemsRegExportWroteImportsAfterABackupOfWhatItReplaces) {
  ClickDevice(L"Front");
  kit::e2e::Click(Ctl(IDC_BTNSAVE));
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return ValueNames(L"Front").size() == 14; }));
  const RawValues device = ReadValues(L"Front");
  ASSERT_EQ(RunRegTool(L"export " + SystemRegTool().classKey + L"\\Front C:\\kit-console\\system.reg /y"), 0u);
  PutDword(L"Front", L"Baudrate", 9600);
  PutSz(L"Front", L"CommName", L"COM9");

  const std::wstring done = ImportByMenu(L"C:\\kit-console\\system.reg",
                                         L"Import 1 device from system.reg?\n\nDevices to replace: Front",
                                         "console-14-imported-with-backup");
  const std::wstring prefix = L"Imported 1 device from system.reg. The devices it replaced were saved first to ";
  ASSERT_EQ(done.rfind(prefix, 0), 0u) << Narrow(done);
  EXPECT_EQ(ReadValues(L"Front"), device);

  // The backup is an export of Front as it was just before.
  const std::wstring backup = done.substr(prefix.size(), done.size() - prefix.size() - 1);
  EXPECT_EQ(backup.rfind(L"C:\\ProgramData\\Vantrel\\Backups\\Vantrel ", 0), 0u) << Narrow(backup);
  const std::vector<BYTE> bytes = FileBytes(backup);
  ASSERT_GT(bytes.size(), 2u);
  const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
  EXPECT_NE(text.find(L"\"CommName\"=\"COM9\"\r\n\"Baudrate\"=dword:00002580"), std::wstring::npos);

  // Again: the folder made the first time passes the check, and the new
  // backup does not overwrite the first one.
  const std::wstring again = ImportByMenu(L"C:\\kit-console\\system.reg",
                                          L"Import 1 device from system.reg?\n\nDevices to replace: Front",
                                          "console-15-imported-again");
  ASSERT_EQ(again.rfind(prefix, 0), 0u) << Narrow(again);
  EXPECT_NE(again.substr(prefix.size()), backup + L".");
  EXPECT_EQ(FileBytes(backup), bytes);
}

TEST_F(VantrelConsoleTest, AUtf8FileAsNotepadSavesItImports) {
  // A profile typed into Notepad: UTF-8 without a byte-order mark, with a
  // character beyond ASCII.
  std::string profile =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "; typed by hand\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER]\r\n"
      "\"Hot\"=\"Kitchen\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER\\Kitchen]\r\n"
      "@=\"SOZELTANO.OPOSPrinter\"\r\n\"Pid\"=\"\"\r\n\"DeviceClass\"=\"POSPrinter\"\r\n\"DeviceName\"=\"Kitchen\"\r\n"
      "\"DevType\"=\"\"\r\n\"TcpIp\"=\"10.2.2.2\"\r\n\"TcpPort\"=dword:  0000238c\r\n\"Timeout\"=dword:000003e8\r\n"
      "\"Version\"=\"caf\xc3\xa9\"\r\n\"USBType\"=dword:00000000\r\n\"USBDevName\"=\"\"\r\n\"CommName\"=\"COM1\"\r\n"
      "\"Baudrate\"=dword:00002580\r\n\"ProtocolType\"=dword:00000001\r\n";
  HANDLE file = CreateFileW(L"C:\\kit-console\\utf8.reg", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, profile.data(), static_cast<DWORD>(profile.size()), &written, nullptr);
  CloseHandle(file);

  EXPECT_EQ(ImportByMenu(L"C:\\kit-console\\utf8.reg",
                         L"Import 1 device from utf8.reg?\n\nDevices to add: Kitchen\nAlternate names to add: Hot for Kitchen",
                         "console-16-imported-utf8"),
            L"Imported 1 device from utf8.reg.");
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return TreeTexts().size() == 4; }));
  EXPECT_TRUE(HasSz(L"Kitchen", L"Version", L"caf\u00e9"));
  EXPECT_TRUE(HasDword(L"Kitchen", L"TcpPort", 9100));
  EXPECT_TRUE(HasSz(L"", L"Hot", L"Kitchen"));
  ClickDevice(L"Kitchen");
  EXPECT_EQ(Text(IDC_EDTIP), L"10.2.2.2");
}

TEST_F(VantrelConsoleTest, OneExportedFileGivesA32BitControlItsProfileOnEitherWindows) {
  ASSERT_TRUE(ChooseFromMenu(L"POSPrinter", 1));
  ASSERT_TRUE(kit::e2e::AnswerFileDialog(app->pid(), L"C:\\kit-console\\all.reg"));
  ASSERT_TRUE(Answer(L"Exported 2 devices to C:\\kit-console\\all.reg.", IDOK));
  app->Kill();
  ClearProfiles();

  // The registry tool of 64-bit Windows, as a double click or "reg import"
  // runs it there; on 32-bit Windows the same tool writes the plain keys.
  EXPECT_EQ(RunRegTool(L"import C:\\kit-console\\all.reg"), 0u);
  // The same keys in both views; a value the profile lacked comes as a save
  // writes it.
  const RawValue ip{REG_SZ, {'1', 0, '0', 0, '.', 0, '1', 0, '.', 0, '1', 0, '.', 0, '1', 0, 0, 0}};
  for (const wchar_t* key : {L"", L"Front", L"Back"}) {
    EXPECT_EQ(ReadValues(key, KEY_WOW64_32KEY), ReadValues(key, KEY_WOW64_64KEY)) << Narrow(key);
  }
  const RawValues back = ReadValues(L"Back", KEY_WOW64_32KEY);
  EXPECT_EQ(back.size(), 14u);
  EXPECT_NE(std::find(back.begin(), back.end(), std::pair<std::wstring, RawValue>{L"TcpIp", ip}), back.end());
  EXPECT_EQ(ReadValues(L"", KEY_WOW64_32KEY).size(), 1u);
}

}  // namespace
}  // namespace vantrel::e2e
