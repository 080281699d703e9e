#include "console/win32/ErrorDisplay.h"

#include <vector>

#include "console/editor/EditorRules.h"

namespace vantrel::win32 {

std::string ProgramTitle() {
  // Long paths do not fit MAX_PATH; the buffer grows until the name fits.
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD len = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (len == 0) return "Vantrel";
    if (len < path.size()) return ProgramTitleFromPath(std::string(path.data(), len));
    path.resize(path.size() * 2);
  }
}

void ShowErrorDisplay(HWND owner, const std::string& message) {
  const MessageBoxRequest box = ErrorDisplayBox(message, ProgramTitle());
  MessageBoxA(owner, box.text.c_str(), box.caption.c_str(), box.flags);
}

}  // namespace vantrel::win32
