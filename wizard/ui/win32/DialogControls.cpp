#include "wizard/ui/win32/DialogControls.h"

#include "wizard/ui/pages/WizardIds.h"
#include "wizard/ui/win32/WideCast.h"

namespace quispor::win32 {

void DialogControls::SetControlText(int id, const char16_t* text) { SetDlgItemTextW(dialog_, id, W(text)); }

void DialogControls::SetCheck(int id, bool checked) {
  SendDlgItemMessageW(dialog_, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool DialogControls::IsChecked(int id) {
  return SendDlgItemMessageW(dialog_, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void DialogControls::ShowControl(int id, bool visible) {
  ShowWindow(GetDlgItem(dialog_, id), visible ? SW_SHOW : SW_HIDE);
}

void DialogControls::AddModelName(const char16_t* name) {
  SendDlgItemMessageW(dialog_, IDC_MODEL_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(name)));
}

void DialogControls::SelectModelStartingWith(const char16_t* name) {
  SendDlgItemMessageW(dialog_, IDC_MODEL_LIST, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(W(name)));
}

void DialogControls::ReadModelText(char16_t* buffer, std::size_t capacity) {
  buffer[0] = 0;
  GetDlgItemTextW(dialog_, IDC_MODEL_LIST, W(buffer), static_cast<int>(capacity));
}

}  // namespace quispor::win32
