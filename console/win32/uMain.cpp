// TMainFM's window and the routing of its messages to the window logic.
#include "console/win32/uMain.h"

#include <commctrl.h>

#include <stdexcept>

#include "console/editor/MainLayout.h"
#include "console/win32/Dpi.h"
#include "console/win32/ErrorDisplay.h"
#include "console/win32/resource.h"

namespace vantrel::win32 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

POINT MessagePoint() {
  const DWORD pos = GetMessagePos();
  return POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

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

  // Sized for the system DPI; WM_CREATE sizes it again for its monitor's.
  const ClientSize client = InitialClientSize(static_cast<int>(WindowDpi(nullptr)));
  const SIZE size = WindowSizeForClient(client.width, client.height, kStyle, kExStyle, WindowDpi(nullptr));
  return CreateWindowExA(kExStyle, kClassName, kCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                         size.cy, nullptr, nullptr, instance_, this) != nullptr;
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
    self->tree_.Attach(nullptr);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  // Errors leave the event handlers here and are shown; the window stays usable.
  try {
    return self->HandleMessage(msg, wParam, lParam);
  } catch (const std::exception& e) {
    self->ReportError(e);
  } catch (...) {
    self->ReportError(std::runtime_error("Unexpected error"));
  }
  return 0;
}

void TMainFM::ReportError(const std::exception& error) {
  try {
    logic_.ShowError(error);
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
      Layout();
      return 0;
    case WM_GETMINMAXINFO:
      LimitTrackSize(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      if (HBRUSH brush = TabBodyLabelBrush(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_THEMECHANGED:
      tabBody_.Forget();
      break;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != tree_.hwnd()) break;
      OnContextMenu(lParam);
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(lParam)) return TRUE;
      break;
    case WM_ACTIVATE:
      // The focus comes back to the control that had it.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS:
      SetFocus(lastFocus_ && IsChild(hwnd_, lastFocus_) ? lastFocus_ : tree_.hwnd());
      return 0;
    case kShowPostedBoxesMessage:
      ShowPostedBoxes();
      return 0;
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
    case IDM_EXPORT:
      if (code == 0) logic_.Export1Click();
      break;
    case IDM_IMPORT:
      if (code == 0) logic_.Import1Click();
      break;
    case IDOK:
      // Enter: the window has no default button; in the tree it loads the
      // selected device.
      if (GetFocus() == tree_.hwnd()) logic_.DevTreeKeySelect(tree_.Selection());
      break;
    default:
      break;
  }
}

LRESULT TMainFM::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != tree_.hwnd()) return 0;
  switch (header.code) {
    case NM_CLICK:
      logic_.DevTreeClick(tree_.ClickedNode());
      return 0;
    case NM_RCLICK:
      // Handled here, so the tree sends no WM_CONTEXTMENU of its own.
      if (menuAttached_) ShowTreeMenu(MessagePoint());
      return TRUE;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
      // Both forms hold the item handle and the cause at the same place.
      const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
      if (change.action == TVC_BYKEYBOARD) {
        logic_.DevTreeKeySelect(reinterpret_cast<TreeNodeId>(change.itemNew.hItem));
      }
      return 0;
    }
    case TVN_KEYDOWN:
      if (reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey == VK_DELETE) {
        logic_.DevTreeDeleteKey(tree_.Selection());
      }
      return 0;
    default:
      return 0;
  }
}

void TMainFM::OnContextMenu(LPARAM position) {
  if (position == -1) {  // the menu key or Shift+F10
    if (logic_.DevTreeMenuKey(tree_.Selection())) ShowTreeMenu(tree_.MenuPoint());
  } else if (menuAttached_) {
    ShowTreeMenu(POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))});
  }
}

bool TMainFM::OnSetCursor(LPARAM hitTest) {
  if (!busy_ || LOWORD(hitTest) != HTCLIENT) return false;
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
  return true;
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
      self->logic_.DevTreeMouseDown(button, self->tree_.NodeAt(pt));
    } catch (const std::exception& e) {
      self->ReportError(e);
    } catch (...) {
      self->ReportError(std::runtime_error("Unexpected error"));
    }
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &TMainFM::TreeProc, 1);
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void TMainFM::ShowTreeMenu(POINT screen) {
  HMENU popup = GetSubMenu(menu_.get(), 0);
  if (!popup) return;
  SetForegroundWindow(hwnd_);
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd_, nullptr);
  // Lets the menu close properly when the user clicks elsewhere.
  PostMessageA(hwnd_, WM_NULL, 0, 0);
}

}  // namespace vantrel::win32
