// Finding, reading and answering the message boxes of the program under test.
#include <algorithm>
#include <stdexcept>

#include "tests/e2e/driver/TestDriver.h"
#include "tests/e2e/driver/Win32Helpers.h"
#include "tests/e2e/driver/WindowRules.h"

namespace kit::e2e {
namespace {

using detail::FromU16;
using detail::ToU16;

// Boxes this thread has already handed out and that still exist.
thread_local std::vector<HWND> seenBoxes;

bool BelongsTo(HWND hwnd, DWORD pid) {
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == pid) return true;
  HWND ownerWindow = GetWindow(hwnd, GW_OWNER);
  if (!ownerWindow) return false;
  GetWindowThreadProcessId(ownerWindow, &owner);
  return owner == pid;
}

struct BoxSearch {
  DWORD pid;
  std::vector<HWND> candidates;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<BoxSearch*>(lParam);
  if (BelongsTo(hwnd, search->pid) && ClassOf(hwnd) == L"#32770" && IsWindowVisible(hwnd)) {
    search->candidates.push_back(hwnd);
  }
  return TRUE;
}

std::optional<MessageBoxInfo> ReadBox(HWND box) {
  const std::vector<HWND> children = detail::DirectChildren(box);
  std::vector<ChildInfo> infos;
  for (HWND c : children) infos.push_back(detail::DescribeChild(c));
  // A program's own dialogs (its main window, say) are not message boxes.
  if (!LooksLikeMessageBox(infos)) return std::nullopt;
  const MessageBoxLayout layout = DescribeMessageBox(infos);
  MessageBoxInfo info;
  info.hwnd = box;
  info.caption = ReadText(box);
  if (layout.text) info.text = FromU16(infos[*layout.text].text);
  for (size_t i : layout.buttons) info.buttons.push_back(FromU16(infos[i].text));
  info.hasIcon = layout.hasIcon;
  return info;
}

}  // namespace

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD pid, DWORD timeoutMs) {
  std::optional<MessageBoxInfo> found;
  seenBoxes.erase(std::remove_if(seenBoxes.begin(), seenBoxes.end(), [](HWND h) { return !IsWindow(h); }),
                  seenBoxes.end());
  WaitUntil(
      [&] {
        BoxSearch search{pid, {}};
        EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
        for (HWND box : search.candidates) {
          if (std::find(seenBoxes.begin(), seenBoxes.end(), box) != seenBoxes.end()) continue;
          try {
            found = ReadBox(box);
          } catch (const std::runtime_error&) {
            found.reset();  // closed while being read
          }
          if (found) return true;
        }
        return false;
      },
      timeoutMs);
  if (found) seenBoxes.push_back(found->hwnd);
  return found;
}

void AnswerMessageBox(const MessageBoxInfo& box, int buttonId) {
  HWND button = GetDlgItem(box.hwnd, buttonId);
  if (!button) {
    throw std::runtime_error("AnswerMessageBox: the box has no button with id " + std::to_string(buttonId));
  }
  // WM_COMMAND is what the button's click sends; posted, so that whatever the
  // answer opens next cannot block this thread.
  if (!PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button))) {
    detail::ThrowWin32("AnswerMessageBox: PostMessage failed");
  }
  if (!WaitUntil([&] { return !IsWindow(box.hwnd); })) {
    throw std::runtime_error("AnswerMessageBox: the box is still open");
  }
}

}  // namespace kit::e2e
