// A small dialog with one of each control the kit's programs use, for the
// rig's self-test: every label shows what the program saw, so the test can
// check that the driver's input arrived the way a user's would.
//
//   rig_demo.exe            the dialog; ends with the code typed into it
//   rig_demo.exe -langid    ends at once with GetSystemDefaultLangID()
//   rig_demo.exe -env NAME  ends at once with the number in variable NAME
//                           (9999 when it is unset)
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/driver-selftest/RigDemoIds.h"

namespace {

class RigDemoDialog {
 public:
  INT_PTR Run(HINSTANCE instance) {
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_RIG_DEMO), nullptr, &RigDemoDialog::Thunk,
                           reinterpret_cast<LPARAM>(this));
  }

 private:
  static INT_PTR CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    auto* self = reinterpret_cast<RigDemoDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    switch (msg) {
      case WM_INITDIALOG:
        self->hwnd_ = hwnd;
        self->OnInit();
        return TRUE;
      case WM_COMMAND:
        self->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
      case WM_NOTIFY:
        self->OnNotify(reinterpret_cast<const NMHDR*>(lParam));
        return TRUE;
      case WM_CLOSE:
        EndDialog(hwnd, 0);
        return TRUE;
      default:
        return FALSE;
    }
  }

  void OnInit() {
    HWND model = GetDlgItem(hwnd_, IDC_MODEL);
    // "beta" before "Beta": a search that ignores case finds the wrong one.
    for (const wchar_t* item : {L"Alpha", L"beta", L"Beta", L"Gamma"}) {
      SendMessageW(model, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    HWND tree = GetDlgItem(hwnd_, IDC_TREE);
    HTREEITEM printers = AddItem(tree, TVI_ROOT, L"Printers");
    HTREEITEM first = AddItem(tree, printers, L"Receipt 1");
    AddItem(tree, printers, L"Receipt 2");
    HTREEITEM scanners = AddItem(tree, TVI_ROOT, L"Scanners");
    AddItem(tree, scanners, L"Flatbed");
    TreeView_Expand(tree, printers, TVE_EXPAND);
    TreeView_SelectItem(tree, first);
    SetDlgItemTextW(hwnd_, IDC_TREE_SELECTED, L"selected: none");
    ready_ = true;
  }

  static HTREEITEM AddItem(HWND tree, HTREEITEM parent, const wchar_t* text) {
    TVINSERTSTRUCTW ins = {};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<wchar_t*>(text);
    return TreeView_InsertItem(tree, &ins);
  }

  std::wstring ItemText(HTREEITEM item) const {
    if (!item) return L"none";
    wchar_t buf[128] = {};
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buf;
    tv.cchTextMax = 128;
    TreeView_GetItem(GetDlgItem(hwnd_, IDC_TREE), &tv);
    return buf;
  }

  void Show(int id, const std::wstring& text) { SetDlgItemTextW(hwnd_, id, text.c_str()); }

  void OnCommand(WORD id, WORD code) {
    if (!ready_) return;
    switch (id) {
      case IDC_NAME:
        if (code == EN_CHANGE) Show(IDC_NAME_CHANGES, L"changes: " + std::to_wstring(++nameChanges_));
        break;
      case IDC_NOTES:
        if (code == EN_CHANGE) Show(IDC_NOTES_CHANGES, L"notes changes: " + std::to_wstring(++notesChanges_));
        break;
      case IDC_MODEL:
        if (code == CBN_SELCHANGE) {
          HWND model = GetDlgItem(hwnd_, IDC_MODEL);
          const LRESULT sel = SendMessageW(model, CB_GETCURSEL, 0, 0);
          wchar_t buf[64] = {};
          if (sel != CB_ERR) SendMessageW(model, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(buf));
          Show(IDC_MODEL_STATUS, std::wstring(L"model: ") + buf);
        } else if (code == CBN_EDITUPDATE) {
          ++modelUpdates_;
        } else if (code == CBN_EDITCHANGE) {
          // An update must come before each change, as for a user's key.
          ++modelEdits_;
          Show(IDC_MODEL_EDITS, L"edits: " + std::to_wstring(modelEdits_) +
                                    (modelUpdates_ == modelEdits_ ? L"" : L" (update missing)"));
        }
        break;
      case IDC_ASK:
        if (code == BN_CLICKED) {
          const int answer = MessageBoxW(hwnd_, L"Save the changes?", L"Rig Demo", MB_YESNO | MB_ICONQUESTION);
          Show(IDC_ANSWER, answer == IDYES ? L"answer: yes" : answer == IDNO ? L"answer: no" : L"answer: other");
        }
        break;
      case IDC_NOTE:
        if (code == BN_CLICKED) {
          MessageBoxW(hwnd_, L"Plain note", L"Rig Demo", MB_OK);
          Show(IDC_ANSWER, L"note: ok");
        }
        break;
      case IDC_LOCKED:
        if (code == BN_CLICKED) Show(IDC_ANSWER, L"locked pressed");
        break;
      case IDC_EXIT:
        if (code == BN_CLICKED) {
          wchar_t buf[16] = {};
          GetDlgItemTextW(hwnd_, IDC_EXIT_CODE, buf, 16);
          EndDialog(hwnd_, _wtoi(buf));
        }
        break;
      default:
        break;
    }
  }

  void OnNotify(const NMHDR* hdr) {
    if (!ready_ || hdr->idFrom != IDC_TREE) return;
    HWND tree = hdr->hwndFrom;
    if (hdr->code == NM_CLICK || hdr->code == NM_RCLICK) {
      // Which item the click hit, and what the selection was at that moment.
      const DWORD pos = GetMessagePos();
      TVHITTESTINFO hit = {};
      hit.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
      ScreenToClient(tree, &hit.pt);
      const HTREEITEM hitItem = TreeView_HitTest(tree, &hit);
      const std::wstring what = hdr->code == NM_CLICK ? L"clicked: " : L"right-clicked: ";
      Show(IDC_TREE_CLICK, what + ItemText(hitItem) + L" caret: " + ItemText(TreeView_GetSelection(tree)));
    } else if (hdr->code == TVN_SELCHANGEDW) {
      const auto* nm = reinterpret_cast<const NMTREEVIEWW*>(hdr);
      Show(IDC_TREE_SELECTED, L"selected: " + ItemText(nm->itemNew.hItem));
    }
  }

  HWND hwnd_ = nullptr;
  bool ready_ = false;
  int nameChanges_ = 0;
  int notesChanges_ = 0;
  int modelEdits_ = 0;
  int modelUpdates_ = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"-langid") return GetSystemDefaultLangID();
  if (mode == L"-env") {
    wchar_t value[32] = {};
    if (argc < 3 || !GetEnvironmentVariableW(argv[2], value, 32)) return 9999;
    return _wtoi(value);
  }
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  RigDemoDialog dialog;
  return static_cast<int>(dialog.Run(instance));
}
