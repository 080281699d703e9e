#include "console/win32/ProfileFileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "trust/win32/SystemLibrary.h"

namespace vantrel::win32 {
namespace {

// comdlg32 (and, under it, the spooler's client) is needed only once a file
// dialog opens, not to start: it is bound then, from the system directory,
// and stays loaded.
struct CommonDialogs {
  decltype(&::GetOpenFileNameA) getOpenFileName = nullptr;
  decltype(&::GetSaveFileNameA) getSaveFileName = nullptr;
  decltype(&::CommDlgExtendedError) extendedError = nullptr;
  DWORD loadError = ERROR_SUCCESS;

  bool Complete() const { return getOpenFileName && getSaveFileName && extendedError; }
};

const CommonDialogs& Comdlg32() {
  static const CommonDialogs table = [] {
    kit::trust::win32::SystemLibrary library(L"comdlg32.dll");
    CommonDialogs bound;
    bound.getOpenFileName = library.Find<decltype(&::GetOpenFileNameA)>("GetOpenFileNameA");
    bound.getSaveFileName = library.Find<decltype(&::GetSaveFileNameA)>("GetSaveFileNameA");
    bound.extendedError = library.Find<decltype(&::CommDlgExtendedError)>("CommDlgExtendedError");
    bound.loadError = library.Loaded() ? ERROR_PROC_NOT_FOUND : library.LoadError();
    library.release();
    return bound;
  }();
  return table;
}

}  // namespace

std::optional<std::string> AskProfileFile(HWND owner, FileChoice choice, const std::string& suggestedName) {
  const CommonDialogs& dialogs = Comdlg32();
  if (!dialogs.Complete()) {
    throw std::runtime_error("The file dialog cannot be shown: comdlg32.dll could not be loaded (error " +
                             std::to_string(dialogs.loadError) + ").");
  }
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
  if (exporting ? dialogs.getSaveFileName(&dialog) : dialogs.getOpenFileName(&dialog)) {
    return std::string(path.data());
  }
  // 0 is the user's cancel; anything else is the dialog's own failure.
  if (const DWORD error = dialogs.extendedError()) {
    throw std::runtime_error("The file dialog failed with error " + std::to_string(error) + ".");
  }
  return std::nullopt;
}

}  // namespace vantrel::win32
