// TMainFM as the window logic sees it: the editor's fields, the connection
// pages, the USB device box, message boxes, file dialogs and the cursor.
#include "console/win32/uMain.h"

#include <commctrl.h>

#include "console/win32/MainControlIds.h"
#include "console/win32/ProfileFileDialog.h"
#include "console/win32/resource.h"

namespace vantrel::win32 {

namespace {

int FieldId(EditorField field) {
  switch (field) {
    case EditorField::DevName: return IDC_EDTDEVNAME;
    case EditorField::LName: return IDC_EDTLNAME;
    case EditorField::IP: return IDC_EDTIP;
    case EditorField::Port: return IDC_EDTPORT;
    case EditorField::COM: return IDC_CBBCOM;
    case EditorField::Baudrate: return IDC_CBBAUDRATE;
    case EditorField::USBDev: return IDC_CBUSBDEV;
  }
  return 0;
}

}  // namespace

std::string TMainFM::FieldText(EditorField field) const {
  HWND control = Item(FieldId(field));
  const int length = GetWindowTextLengthA(control);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void TMainFM::SetFieldText(EditorField field, const std::string& text) {
  SetWindowTextA(Item(FieldId(field)), text.c_str());
}

int TMainFM::ConnIndex() const {
  return static_cast<int>(SendMessageA(Item(IDC_CBCONN), CB_GETCURSEL, 0, 0));
}

void TMainFM::SetConnIndex(int index) {
  SendMessageA(Item(IDC_CBCONN), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TMainFM::ShowPages(const PageState& state) {
  // A tab control cannot hide single tabs: it holds just the visible ones.
  HWND tabs = Item(IDC_PAGECONTROL1);
  TabCtrl_DeleteAllItems(tabs);
  int position = 0;
  for (std::size_t i = 0; i < kPageCaptions.size(); ++i) {
    if (!state.tabVisible[i]) continue;
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>(kPageCaptions[i]);
    SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(position++), reinterpret_cast<LPARAM>(&tab));
  }
  if (position > 0) TabCtrl_SetCurSel(tabs, 0);
  for (std::size_t page = 0; page < kPageRows.size(); ++page) {
    const int show = static_cast<int>(page) == state.activePage ? SW_SHOW : SW_HIDE;
    for (const PageRow& row : kPageRows[page]) {
      if (row.label == 0) continue;
      ShowWindow(Item(row.label), show);
      ShowWindow(Item(row.field), show);
    }
  }
}

int TMainFM::UsbItemCount() const {
  return static_cast<int>(SendMessageA(Item(IDC_CBUSBDEV), CB_GETCOUNT, 0, 0));
}

void TMainFM::AddUsbItem(const std::string& text) {
  SendMessageA(Item(IDC_CBUSBDEV), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TMainFM::ClearUsbItems() {
  // CB_RESETCONTENT would also clear the text, which stays as it was.
  HWND combo = Item(IDC_CBUSBDEV);
  const std::string text = FieldText(EditorField::USBDev);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  SetWindowTextA(combo, text.c_str());
}

void TMainFM::ChooseUsbItem(int index) {
  SendMessageA(Item(IDC_CBUSBDEV), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TMainFM::ShowMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) {
  return MessageBoxA(hwnd_, text.c_str(), caption.c_str(), flags);
}

void TMainFM::PostMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) {
  // Delivered by the message loop, so after WinMain has shown the window.
  if (postedBoxes_.empty()) PostMessageA(hwnd_, kShowPostedBoxesMessage, 0, 0);
  postedBoxes_.push_back(MessageBoxRequest{text, caption, flags});
}

void TMainFM::ShowPostedBoxes() {
  std::vector<MessageBoxRequest> boxes;
  boxes.swap(postedBoxes_);
  for (const MessageBoxRequest& box : boxes) ShowMessageBox(box.text, box.caption, box.flags);
}

std::optional<std::string> TMainFM::ChooseProfileFile(FileChoice choice, const std::string& suggestedName) {
  return AskProfileFile(hwnd_, choice, suggestedName);
}

void TMainFM::SetBusy(bool busy) {
  // Held by WM_SETCURSOR while the pointer moves over the window.
  busy_ = busy;
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(busy ? IDC_WAIT : IDC_ARROW)));
}

}  // namespace vantrel::win32
