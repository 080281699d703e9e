#include "console/win32/uMain.h"

#include <commctrl.h>

#include <exception>
#include <vector>

#include "console/editor/EditorRules.h"
#include "console/win32/ErrorDisplay.h"
#include "console/win32/resource.h"

namespace vantrel::win32 {

namespace {

// Client area at start and the layout grid.
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 400;
constexpr int kTreeWidth = 200;
constexpr int kLeft = kTreeWidth + 10;  // left edge of the right-hand side
constexpr int kRightWidth = 420;
constexpr int kLabelX = kLeft + 14;
constexpr int kLabelWidth = 100;
constexpr int kFieldX = kLabelX + kLabelWidth + 6;
constexpr int kRowHeight = 22;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 28;
constexpr int kMargin = 10;

constexpr std::array<const char*, 3> kPageCaptions = {"RS232", "TCP/IP", "USB"};
// Controls of tsComm, tsLan and tsUSB, labels included.
const std::array<std::vector<int>, 3> kPageControls = {
    std::vector<int>{IDC_LBL_COM, IDC_CBBCOM, IDC_LBL_BAUDRATE, IDC_CBBAUDRATE},
    std::vector<int>{IDC_LBL_IP, IDC_EDTIP, IDC_LBL_PORT, IDC_EDTPORT},
    std::vector<int>{IDC_LBL_USBDEV, IDC_CBUSBDEV}};

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

POINT MessagePoint() {
  const DWORD pos = GetMessagePos();
  return POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

HTREEITEM ToItem(TreeNodeId node) { return reinterpret_cast<HTREEITEM>(node); }
TreeNodeId ToNode(HTREEITEM item) { return reinterpret_cast<TreeNodeId>(item); }

}  // namespace

TMainFM::TMainFM(HINSTANCE instance, RegistryApi& registry)
    : instance_(instance), logic_(*this, registry, ProgramTitle()) {}

TMainFM::~TMainFM() {
  if (hwnd_) DestroyWindow(hwnd_);
}

TUSBComm& TMainFM::AdoptUsbWatcher(std::unique_ptr<TUSBComm> watcher) {
  usbWatcher_ = std::move(watcher);
  return *usbWatcher_;
}

bool TMainFM::Create() {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &TMainFM::WndProc;
  wc.hInstance = instance_;
  wc.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_VANTREL));
  wc.hIconSm = wc.hIcon;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  const DWORD style = WS_OVERLAPPEDWINDOW;
  RECT rect = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&rect, style, FALSE, WS_EX_CONTROLPARENT);
  return CreateWindowExA(WS_EX_CONTROLPARENT, kClassName, kCaption, style, CW_USEDEFAULT,
                         CW_USEDEFAULT, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                         nullptr, instance_, this) != nullptr;
}

LRESULT CALLBACK TMainFM::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<TMainFM*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TMainFM*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->tree_ = nullptr;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  // Errors leave the event handlers here and are shown; the window stays usable.
  try {
    return self->HandleMessage(msg, wParam, lParam);
  } catch (const std::exception& e) {
    self->ReportError(e.what());
  } catch (...) {
    self->ReportError("Unexpected error");
  }
  return 0;
}

void TMainFM::ReportError(const char* message) {
  try {
    logic_.ShowError(message);
  } catch (...) {
    // Nothing more can be shown when the display itself fails.
  }
}

LRESULT TMainFM::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      CreateControls();
      logic_.FormCreate();
      return 0;
    case WM_SIZE:
      Layout(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = 480;
      info->ptMinTrackSize.y = 360;
      return 0;
    }
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == tree_) {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (lParam == -1) {  // from the keyboard: below the selected node
          RECT item = {};
          HTREEITEM selected = TreeView_GetSelection(tree_);
          if (selected) TreeView_GetItemRect(tree_, selected, &item, TRUE);
          pt = POINT{item.left, item.bottom};
          ClientToScreen(tree_, &pt);
        }
        if (menuAttached_) ShowTreeMenu(pt);
        return 0;
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

void TMainFM::OnCommand(int id, int code) {
  switch (id) {
    case IDC_BTNSAVE:
      if (code == BN_CLICKED) logic_.btnSaveClick();
      break;
    case IDC_BTNTEST:
      if (code == BN_CLICKED) logic_.btnTestClick();
      break;
    case IDC_CBCONN:
      if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) logic_.cbConnChange();
      break;
    case IDM_DELETE1:
      if (code == 0) logic_.Delete1Click();
      break;
    default:
      break;
  }
}

LRESULT TMainFM::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != tree_) return 0;
  switch (header.code) {
    case NM_CLICK:
      logic_.DevTreeClick(ClickedTreeNode());
      return 0;
    case NM_RCLICK:
      // Handled here, so the tree sends no WM_CONTEXTMENU of its own.
      if (menuAttached_) ShowTreeMenu(MessagePoint());
      return TRUE;
    default:
      return 0;
  }
}

LRESULT CALLBACK TMainFM::TreeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR data) {
  auto* self = reinterpret_cast<TMainFM*>(data);
  if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
    try {
      POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(hwnd, &pt);
      const MouseButton button = msg == WM_LBUTTONDOWN   ? MouseButton::Left
                                 : msg == WM_RBUTTONDOWN ? MouseButton::Right
                                                         : MouseButton::Middle;
      self->logic_.DevTreeMouseDown(button, self->TreeNodeAt(pt));
    } catch (const std::exception& e) {
      self->ReportError(e.what());
    } catch (...) {
      self->ReportError("Unexpected error");
    }
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &TMainFM::TreeProc, 1);
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

TreeNodeId TMainFM::TreeNodeAt(POINT screen) const {
  TVHITTESTINFO hit = {};
  hit.pt = screen;
  ScreenToClient(tree_, &hit.pt);
  // Anywhere on a node's row counts as over the node.
  return ToNode(TreeView_HitTest(tree_, &hit));
}

TreeNodeId TMainFM::ClickedTreeNode() const {
  // NM_CLICK comes before the tree moves its selection to the clicked item,
  // so the item is found where the click was.
  TVHITTESTINFO hit = {};
  hit.pt = MessagePoint();
  ScreenToClient(tree_, &hit.pt);
  HTREEITEM item = TreeView_HitTest(tree_, &hit);
  if (item && (hit.flags & TVHT_ONITEM)) return ToNode(item);
  return ToNode(TreeView_GetSelection(tree_));
}

void TMainFM::ShowTreeMenu(POINT screen) {
  HMENU popup = GetSubMenu(menu_.get(), 0);
  if (!popup) return;
  SetForegroundWindow(hwnd_);
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd_, nullptr);
  // Lets the menu close properly when the user clicks elsewhere.
  PostMessageA(hwnd_, WM_NULL, 0, 0);
}

HWND TMainFM::AddControl(const char* className, const char* text, DWORD style, int id, int x,
                         int y, int width, int height, DWORD exStyle) {
  HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y,
                                 width, height, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_,
                                 nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  return control;
}

void TMainFM::CreateControls() {
  menu_.reset(LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_PMENU)));

  // Creation order is Z order: each label comes right before its control.
  tree_ = AddControl(WC_TREEVIEWA, "",
                     WS_TABSTOP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                         TVS_SHOWSELALWAYS,
                     IDC_DEVTREE, 0, 0, kTreeWidth, kClientHeight);
  SetWindowSubclass(tree_, &TMainFM::TreeProc, 1, reinterpret_cast<DWORD_PTR>(this));

  AddControl("BUTTON", "Config", BS_GROUPBOX, IDC_GROUPBOX1, kLeft, 8, kRightWidth, 112);
  const DWORD edit = WS_TABSTOP | ES_AUTOHSCROLL;
  const DWORD combo = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
  const int fieldWidth = kLeft + kRightWidth - 14 - kFieldX;
  const struct {
    int labelId;
    const char* label;
    int id;
    bool isCombo;
    int y;
  } configRows[] = {{IDC_LBL_DEVNAME, "Device Name:", IDC_EDTDEVNAME, false, 30},
                    {IDC_LBL_LNAME, "Alternate Name:", IDC_EDTLNAME, false, 56},
                    {IDC_LBL_CONN, "Connect Type:", IDC_CBCONN, true, 82}};
  for (const auto& row : configRows) {
    AddControl("STATIC", row.label, SS_LEFT, row.labelId, kLabelX, row.y + 3, kLabelWidth, 16);
    if (row.isCombo) {
      AddControl("COMBOBOX", "", combo, row.id, kFieldX, row.y, fieldWidth, 200);
    } else {
      AddControl("EDIT", "", edit, row.id, kFieldX, row.y, fieldWidth, kRowHeight,
                 WS_EX_CLIENTEDGE);
    }
  }

  AddControl(WC_TABCONTROLA, "", WS_CLIPSIBLINGS, IDC_PAGECONTROL1, kLeft, 130, kRightWidth, 120);
  const int pageY = 164;
  const int pageFieldWidth = 160;
  AddControl("STATIC", "COM:", SS_LEFT, IDC_LBL_COM, kLabelX, pageY + 3, kLabelWidth, 16);
  AddControl("COMBOBOX", "", combo, IDC_CBBCOM, kFieldX, pageY, pageFieldWidth, 200);
  AddControl("STATIC", "Baud Rate:", SS_LEFT, IDC_LBL_BAUDRATE, kLabelX, pageY + 33, kLabelWidth,
             16);
  AddControl("COMBOBOX", "", combo, IDC_CBBAUDRATE, kFieldX, pageY + 30, pageFieldWidth, 200);
  AddControl("STATIC", "IP:", SS_LEFT, IDC_LBL_IP, kLabelX, pageY + 3, kLabelWidth, 16);
  AddControl("EDIT", "", edit, IDC_EDTIP, kFieldX, pageY, pageFieldWidth, kRowHeight,
             WS_EX_CLIENTEDGE);
  AddControl("STATIC", "Port:", SS_LEFT, IDC_LBL_PORT, kLabelX, pageY + 33, kLabelWidth, 16);
  AddControl("EDIT", "", edit, IDC_EDTPORT, kFieldX, pageY + 30, pageFieldWidth, kRowHeight,
             WS_EX_CLIENTEDGE);
  AddControl("STATIC", "USB Device:", SS_LEFT, IDC_LBL_USBDEV, kLabelX, pageY + 3, kLabelWidth,
             16);
  AddControl("COMBOBOX", "", combo, IDC_CBUSBDEV, kFieldX, pageY, fieldWidth, 200);

  AddControl("BUTTON", "CheckHealth", WS_TABSTOP | BS_PUSHBUTTON, IDC_BTNTEST, 0, 0, kButtonWidth,
             kButtonHeight);
  AddControl("BUTTON", "Save", WS_TABSTOP | BS_PUSHBUTTON, IDC_BTNSAVE, 0, 0, kButtonWidth,
             kButtonHeight);

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

  RECT client = {};
  GetClientRect(hwnd_, &client);
  Layout(client.right, client.bottom);
}

void TMainFM::Layout(int width, int height) {
  if (!tree_) return;
  MoveWindow(tree_, 0, 0, kTreeWidth, height, TRUE);
  const int y = height - kMargin - kButtonHeight;
  MoveWindow(Item(IDC_BTNSAVE), width - kMargin - kButtonWidth, y, kButtonWidth, kButtonHeight,
             TRUE);
  MoveWindow(Item(IDC_BTNTEST), width - 2 * (kMargin + kButtonWidth), y, kButtonWidth,
             kButtonHeight, TRUE);
}

void TMainFM::ClearTree() { TreeView_DeleteAllItems(tree_); }

TreeNodeId TMainFM::AddTreeNode(TreeNodeId parent, const std::string& text) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent == kNoNode ? TVI_ROOT : ToItem(parent);
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<char*>(text.c_str());
  return ToNode(reinterpret_cast<HTREEITEM>(
      SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
}

void TMainFM::ExpandTreeNode(TreeNodeId node) { TreeView_Expand(tree_, ToItem(node), TVE_EXPAND); }

void TMainFM::RemoveTreeNode(TreeNodeId node) { TreeView_DeleteItem(tree_, ToItem(node)); }

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
    SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(position++),
                 reinterpret_cast<LPARAM>(&tab));
  }
  if (position > 0) TabCtrl_SetCurSel(tabs, 0);
  for (std::size_t page = 0; page < kPageControls.size(); ++page) {
    const bool shown = static_cast<int>(page) == state.activePage;
    for (int id : kPageControls[page]) ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE);
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

int TMainFM::ShowMessageBox(const std::string& text, const std::string& caption,
                            std::uint32_t flags) {
  return MessageBoxA(hwnd_, text.c_str(), caption.c_str(), flags);
}

}  // namespace vantrel::win32
