// TMainFM's controls: creation in tab order, the font and the layout for the
// window's DPI.
#include "console/win32/uMain.h"

#include <commctrl.h>

#include "console/editor/EditorRules.h"
#include "console/editor/MainLayout.h"
#include "console/win32/Dpi.h"
#include "console/win32/MainControlIds.h"
#include "console/win32/resource.h"

namespace vantrel::win32 {

namespace {

// The font of a dialog: "MS Shell Dlg", 8 points at the window's DPI.
constexpr int kFontPoints = 8;

constexpr std::array<int, 3> kConfigLabels = {IDC_LBL_DEVNAME, IDC_LBL_LNAME, IDC_LBL_CONN};
constexpr std::array<int, 3> kConfigFields = {IDC_EDTDEVNAME, IDC_EDTLNAME, IDC_CBCONN};

bool HasClass(HWND control, const char* className) {
  char name[16] = {};
  GetClassNameA(control, name, sizeof name);
  return lstrcmpiA(name, className) == 0;
}

// Where the layout puts control id; null for one it does not place.
const Box* LaidOutBox(const MainLayout& layout, int id) {
  switch (id) {
    case IDC_DEVTREE: return &layout.tree;
    case IDC_GROUPBOX1: return &layout.configGroup;
    case IDC_PAGECONTROL1: return &layout.pages;
    case IDC_BTNTEST: return &layout.checkHealth;
    case IDC_BTNSAVE: return &layout.save;
    default: break;
  }
  for (std::size_t i = 0; i < kConfigLabels.size(); ++i) {
    if (id == kConfigLabels[i]) return &layout.configLabels[i];
    if (id == kConfigFields[i]) return &layout.configFields[i];
  }
  for (const auto& page : kPageRows) {
    for (std::size_t row = 0; row < page.size(); ++row) {
      if (page[row].label == 0) continue;
      if (id == page[row].label) return &layout.pageLabels[row];
      if (id == page[row].field) return &layout.pageFields[row];
    }
  }
  return nullptr;
}

// A combo box's window reaches down over its dropped list.
int WindowHeight(const MainLayout& layout, const Box& box, bool combo) {
  return combo ? layout.comboHeight : box.height;
}

}  // namespace

HWND TMainFM::AddControl(const char* className, const char* text, DWORD style, int id, DWORD exStyle) {
  // Created where the layout puts it, so that nothing is moved and sized a
  // second time before the window shows.
  Box box;
  if (const Box* laidOut = LaidOutBox(layout_, id)) box = *laidOut;
  const int height = WindowHeight(layout_, box, lstrcmpiA(className, "COMBOBOX") == 0);
  HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, box.x, box.y, box.width,
                                 height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return control;
}

void TMainFM::CreateControls() {
  menu_.reset(LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_PMENU)));
  SetDpi(WindowDpi(hwnd_));
  // The window was sized before its DPI was known: the controls are laid out
  // for the client size it gets at the end.
  const ClientSize client = InitialClientSize(static_cast<int>(dpi_));
  layout_ = LayOutMainWindow(client, static_cast<int>(dpi_));

  // Creation order is tab order: each label comes right before its control,
  // which its access key then reaches.
  tree_.Attach(AddControl(WC_TREEVIEWA, "",
                          WS_TABSTOP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                              TVS_SHOWSELALWAYS,
                          IDC_DEVTREE));
  SetWindowSubclass(tree_.hwnd(), &TMainFM::TreeProc, 1, reinterpret_cast<DWORD_PTR>(this));

  AddControl("BUTTON", "Config", BS_GROUPBOX, IDC_GROUPBOX1);
  const DWORD edit = WS_TABSTOP | ES_AUTOHSCROLL;
  const DWORD combo = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
  AddControl("STATIC", "&Device Name:", SS_LEFT, IDC_LBL_DEVNAME);
  AddControl("EDIT", "", edit, IDC_EDTDEVNAME, WS_EX_CLIENTEDGE);
  AddControl("STATIC", "&Alternate Name:", SS_LEFT, IDC_LBL_LNAME);
  AddControl("EDIT", "", edit, IDC_EDTLNAME, WS_EX_CLIENTEDGE);
  AddControl("STATIC", "Connect &Type:", SS_LEFT, IDC_LBL_CONN);
  AddControl("COMBOBOX", "", combo, IDC_CBCONN);

  AddControl(WC_TABCONTROLA, "", WS_CLIPSIBLINGS, IDC_PAGECONTROL1);
  AddControl("STATIC", "C&OM:", SS_LEFT, IDC_LBL_COM);
  AddControl("COMBOBOX", "", combo, IDC_CBBCOM);
  AddControl("STATIC", "&Baud Rate:", SS_LEFT, IDC_LBL_BAUDRATE);
  AddControl("COMBOBOX", "", combo, IDC_CBBAUDRATE);
  AddControl("STATIC", "&IP:", SS_LEFT, IDC_LBL_IP);
  AddControl("EDIT", "", edit, IDC_EDTIP, WS_EX_CLIENTEDGE);
  AddControl("STATIC", "&Port:", SS_LEFT, IDC_LBL_PORT);
  AddControl("EDIT", "", edit, IDC_EDTPORT, WS_EX_CLIENTEDGE);
  AddControl("STATIC", "&USB Device:", SS_LEFT, IDC_LBL_USBDEV);
  AddControl("COMBOBOX", "", combo, IDC_CBUSBDEV);

  AddControl("BUTTON", "C&heckHealth", WS_TABSTOP | BS_PUSHBUTTON, IDC_BTNTEST);
  AddControl("BUTTON", "&Save", WS_TABSTOP | BS_PUSHBUTTON, IDC_BTNSAVE);

  // The group box and the tab control are drawn beneath the controls that
  // stand on them.
  for (int id : {IDC_PAGECONTROL1, IDC_GROUPBOX1}) {
    SetWindowPos(Item(id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  // No field limits its length.
  for (int id : {IDC_EDTDEVNAME, IDC_EDTLNAME, IDC_EDTIP, IDC_EDTPORT}) {
    SendMessageA(Item(id), EM_SETLIMITTEXT, 0, 0);
  }
  for (int id : {IDC_CBCONN, IDC_CBBCOM, IDC_CBBAUDRATE, IDC_CBUSBDEV}) {
    SendMessageA(Item(id), CB_LIMITTEXT, 0, 0);
  }

  for (const char* item : {"RS232", "TCP/IP", "USB"}) {
    SendMessageA(Item(IDC_CBCONN), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  for (const char* item : {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}) {
    SendMessageA(Item(IDC_CBBCOM), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  for (const char* item : {"9600", "19200", "115200"}) {
    SendMessageA(Item(IDC_CBBAUDRATE), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  SendMessageA(Item(IDC_CBBCOM), CB_SETCURSEL, 0, 0);
  SendMessageA(Item(IDC_CBBAUDRATE), CB_SETCURSEL, 0, 0);
  SetConnIndex(kProtocolUsb);
  ShowPages(PageStep(kProtocolUsb));

  // A new size lays the controls out again (WM_SIZE); the same one leaves
  // them where they were made, unless the client area came out otherwise.
  const SIZE size = WindowSizeForClient(client.width, client.height, GetWindowLongA(hwnd_, GWL_STYLE),
                                        GetWindowLongA(hwnd_, GWL_EXSTYLE), dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT rect = {};
  GetClientRect(hwnd_, &rect);
  if (ClientSize{rect.right, rect.bottom} != client) Layout();
}

void TMainFM::SetDpi(UINT dpi) {
  dpi_ = dpi;
  UniqueFont font(CreateFontA(-MulDiv(kFontPoints, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE,
                              FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg"));
  if (!font) return;  // the controls keep the font they have
  for (int id = IDC_DEVTREE; id <= IDC_BTNSAVE; ++id) {
    if (HWND control = Item(id)) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  }
  // The old font goes only now that no control uses it.
  font_ = std::move(font);
}

void TMainFM::Layout() {
  if (!tree_.hwnd()) return;
  RECT rect = {};
  GetClientRect(hwnd_, &rect);
  layout_ = LayOutMainWindow(ClientSize{rect.right, rect.bottom}, static_cast<int>(dpi_));
  for (int id = IDC_DEVTREE; id <= IDC_BTNSAVE; ++id) {
    const Box* box = LaidOutBox(layout_, id);
    HWND control = Item(id);
    if (box == nullptr || control == nullptr) continue;
    MoveWindow(control, box->x, box->y, box->width, WindowHeight(layout_, *box, HasClass(control, "ComboBox")),
               TRUE);
  }
}

void TMainFM::OnDpiChanged(UINT dpi, const RECT& suggested) {
  SetDpi(dpi);
  tabBody_.Forget();  // its visual style is drawn for the DPI
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void TMainFM::LimitTrackSize(MINMAXINFO& info) const {
  const ClientSize minimum = MinimumClientSize(static_cast<int>(dpi_));
  const SIZE size = WindowSizeForClient(minimum.width, minimum.height, GetWindowLongA(hwnd_, GWL_STYLE),
                                        GetWindowLongA(hwnd_, GWL_EXSTYLE), dpi_);
  info.ptMinTrackSize.x = size.cx;
  info.ptMinTrackSize.y = size.cy;
}

Box TMainFM::BoxOf(HWND control) const {
  RECT rect = {};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
  return Box{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

HBRUSH TMainFM::TabBodyLabelBrush(HDC dc, HWND control) {
  HWND tab = Item(IDC_PAGECONTROL1);
  if (!tab || !HasClass(control, "Static")) return nullptr;
  if (LabelBackdrop(BoxOf(control), BoxOf(tab)) != Backdrop::TabBody) return nullptr;
  return tabBody_.PaintBehind(tab, control, dc);
}

}  // namespace vantrel::win32
