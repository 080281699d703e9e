// The page logic's view of a dialog, made of the dialog manager's calls.
#pragma once

#include <windows.h>

#include "wizard/ui/pages/PortsPage.h"

namespace quispor::win32 {

class DialogControls final : public PortsPageView {
 public:
  void Attach(HWND dialog) { dialog_ = dialog; }

  void SetControlText(int id, const char16_t* text) override;
  void SetCheck(int id, bool checked) override;
  bool IsChecked(int id) override;
  void ShowControl(int id, bool visible) override;
  // The model list of the ports page, control 1039.
  void AddModelName(const char16_t* name) override;
  void SelectModelStartingWith(const char16_t* name) override;
  void ReadModelText(char16_t* buffer, std::size_t capacity) override;

 private:
  HWND dialog_ = nullptr;
};

}  // namespace quispor::win32
