#include "tests/e2e/wizard/WizardSession.h"


namespace kit::e2e::wizard {

WizardSession::WizardSession(const std::wstring& args, const std::vector<std::wstring>& env,
                             const std::wstring& exe)
    : app_(App::Start(exe.empty() ? DistFile("Quispor", "Quispor.exe") : exe, args, L"", env)) {
  host_ = app_.WaitForWindow(L"#32770", nullptr);
  // The host is created hidden and shown after its initialisation.
  if (host_ != nullptr && !WaitUntil([this] { return IsShown(host_); })) host_ = nullptr;
}

bool WizardSession::ClickAndWaitFor(int buttonId, int shownId) {
  HWND button = Control(buttonId);
  if (button == nullptr) return false;
  Click(button);
  return shownId == 0 || WaitShown(shownId);
}

void WizardSession::DoubleClick(int buttonId) {
  HWND button = Control(buttonId);
  RECT area{};
  GetClientRect(button, &area);
  MouseDoubleClickAt(button, {area.right / 2, area.bottom / 2});
}

bool WizardSession::WaitShown(int id, bool shown) const {
  return WaitUntil([&] { return IsShown(Control(id)) == shown; });
}

long WizardSession::ExitCode(DWORD timeoutMs) const {
  DWORD code = 0;
  if (!app_.WaitForExit(timeoutMs, &code)) return -1;
  return static_cast<long>(code);
}

std::wstring ProgramCopy(const std::wstring& folderName,
                         const std::vector<std::pair<std::wstring, std::string>>& files) {
  // On drive C of this test program's own prefix: test programs run side by
  // side from one build folder, and a copy there would be overwritten under
  // the wizard that another test program is running from it.
  CreateDirectoryW(L"C:\\quispor-copies", nullptr);
  const std::wstring folder = L"C:\\quispor-copies\\" + folderName;
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring exe = folder + L"\\Quispor.exe";
  if (!CopyFileW(DistFile("Quispor", "Quispor.exe").c_str(), exe.c_str(), FALSE)) return L"";
  for (const auto& [name, content] : files) {
    const std::wstring path = folder + L"\\" + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return L"";
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
  }
  return exe;
}

::testing::AssertionResult ShownAndChecked(HWND control, bool checked) {
  if (control == nullptr) return ::testing::AssertionFailure() << "no such control";
  if (!IsShown(control)) return ::testing::AssertionFailure() << "control is hidden";
  if (IsChecked(control) != checked)
    return ::testing::AssertionFailure() << "check state is " << IsChecked(control);
  return ::testing::AssertionSuccess();
}

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string out(size > 0 ? size : 0, '\0');
  if (size > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
  return out;
}

}  // namespace kit::e2e::wizard
