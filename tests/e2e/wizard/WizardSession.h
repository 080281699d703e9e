// One run of Quispor.exe driven from a test: its host window, its controls
// by id, the two buttons, and how it ended.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/driver/TestDriver.h"

namespace kit::e2e::wizard {

inline constexpr int kBack = 1002;
inline constexpr int kNext = 1003;
inline constexpr wchar_t kBuiltInTitle[] = L"VEXO Printer Driver Install v1.25";

class WizardSession {
 public:
  // Starts the wizard (the dist copy unless exe is given) and waits for its
  // host window. Fails the test through ASSERT in the caller when host() is null.
  explicit WizardSession(const std::wstring& args = L"", const std::vector<std::wstring>& env = {},
                         const std::wstring& exe = L"");

  HWND host() const { return host_; }
  DWORD pid() const { return app_.pid(); }
  HWND Control(int id) const { return FindControlById(host_, id); }
  std::wstring Text(int id) const { return ReadText(Control(id)); }

  // Clicks a button of the host or a page and waits until control `shownId`
  // is visible (when given). False after the time-out.
  bool ClickAndWaitFor(int buttonId, int shownId);
  bool Next(int shownId) { return ClickAndWaitFor(kNext, shownId); }
  bool Back(int shownId) { return ClickAndWaitFor(kBack, shownId); }
  bool WaitShown(int id, bool shown = true) const;
  // A user's double click in the middle of a button of the host or a page.
  void DoubleClick(int buttonId);

  // Waits for the process to end; its exit code, or -1 when it did not end.
  long ExitCode(DWORD timeoutMs = kDefaultTimeoutMs) const;

 private:
  App app_;
  HWND host_ = nullptr;
};

// Copies the dist program into a folder of its own (in this test program's
// prefix) and
// returns the copy's path; files is a list of name/content pairs written
// beside it.
std::wstring ProgramCopy(const std::wstring& folderName,
                         const std::vector<std::pair<std::wstring, std::string>>& files);

// The control is shown and, for a button, its check state.
::testing::AssertionResult ShownAndChecked(HWND control, bool checked);

std::string Narrow(const std::wstring& text);

}  // namespace kit::e2e::wizard
