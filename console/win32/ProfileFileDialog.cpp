#include "console/win32/ProfileFileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace vantrel::win32 {

std::optional<std::string> AskProfileFile(HWND owner, FileChoice choice, const std::string& suggestedName) {
  const bool exporting = choice == FileChoice::Export;
  // Room for long paths; the dialog refuses what does not fit.
  std::vector<char> path(32768, '\0');
  std::copy_n(suggestedName.begin(), std::min(suggestedName.size(), path.size() - 1), path.begin());

  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = "Registry files (*.reg)\0*.reg\0All files (*.*)\0*.*\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrDefExt = "reg";
  dialog.lpstrTitle = exporting ? "Export Devices" : "Import Devices";
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                 (exporting ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (exporting ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog)) return std::string(path.data());
  // 0 is the user's cancel; anything else is the dialog's own failure.
  if (const DWORD error = CommDlgExtendedError()) {
    throw std::runtime_error("The file dialog failed with error " + std::to_string(error) + ".");
  }
  return std::nullopt;
}

}  // namespace vantrel::win32
