// Finding controls, reading and setting their texts, buttons and combo boxes.

#include <stdexcept>

#include "tests/e2e/driver/TestDriver.h"
#include "tests/e2e/driver/Win32Helpers.h"
#include "tests/e2e/driver/WindowRules.h"

namespace kit::e2e {
namespace {

using detail::Send;
using detail::ToU16;

bool IsCompositeControl(HWND hwnd) { return IsCompositeControlClass(ToU16(ClassOf(hwnd))); }

template <typename Pred>
HWND FindDescendant(HWND parent, Pred pred) {
  for (HWND child : detail::DirectChildren(parent)) {
    if (pred(child)) return child;
    if (IsCompositeControl(child)) continue;
    if (HWND deeper = FindDescendant(child, pred)) return deeper;
  }
  return nullptr;
}

bool IsComboBox(HWND hwnd) { return SameClassName(ToU16(ClassOf(hwnd)), u"ComboBox"); }

void NotifyParent(HWND control, WORD code) {
  HWND parent = GetParent(control);
  if (!parent) return;
  const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code);
  Send(parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(control), "notify parent");
}

void SetComboEditText(HWND combo, const std::wstring& text) {
  HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  if (!edit) throw std::runtime_error("SetText: this combo box has no edit field; choose an item instead");
  Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), "SetText");
  // A user's key stroke in the edit field reaches the dialog as these two,
  // the update before the change.
  NotifyParent(combo, CBN_EDITUPDATE);
  NotifyParent(combo, CBN_EDITCHANGE);
}

}  // namespace

HWND FindControlById(HWND parent, int id) {
  return FindDescendant(parent, [id](HWND w) { return GetDlgCtrlID(w) == id; });
}

HWND FindControlByLabel(HWND parent, const std::wstring& label) {
  const std::u16string wanted = ToU16(label);
  // Labels and the controls they label are siblings, on whatever page.
  std::vector<HWND> parents{parent};
  for (size_t i = 0; i < parents.size(); ++i) {
    const std::vector<HWND> children = detail::DirectChildren(parents[i]);
    std::vector<ChildInfo> infos;
    infos.reserve(children.size());
    for (HWND c : children) infos.push_back(detail::DescribeChild(c));
    if (auto index = LabelledSibling(infos, wanted)) return children[*index];
    for (HWND c : children) {
      if (!IsCompositeControl(c)) parents.push_back(c);
    }
  }
  return nullptr;
}

HWND FindControlByClass(HWND parent, const wchar_t* className, const wchar_t* text) {
  const std::u16string wanted = ToU16(className ? className : L"");
  return FindDescendant(parent, [&](HWND w) {
    if (!SameClassName(ToU16(ClassOf(w)), wanted)) return false;
    return !text || ReadText(w) == text;
  });
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buf[257] = {};
  const int n = GetClassNameW(hwnd, buf, 257);
  return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

bool IsShown(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }
bool IsEnabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }

std::wstring ReadText(HWND hwnd) {
  // The text may grow between the two messages; read until it fits.
  size_t capacity = static_cast<size_t>(Send(hwnd, WM_GETTEXTLENGTH, 0, 0, "ReadText")) + 1;
  for (;;) {
    std::wstring buf(capacity, L'\0');
    const LRESULT n = Send(hwnd, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(buf.data()), "ReadText");
    if (n < 0) return {};
    if (static_cast<size_t>(n) + 1 < capacity || capacity > (1u << 24)) {
      buf.resize(static_cast<size_t>(n));
      return buf;
    }
    capacity *= 2;
  }
}

void SetText(HWND hwnd, const std::wstring& text) {
  if (!detail::UserCanReach(hwnd, "SetText")) return;
  if (IsComboBox(hwnd)) {
    SetComboEditText(hwnd, text);
    return;
  }
  if (HWND parent = GetParent(hwnd); parent && IsComboBox(parent)) {
    SetComboEditText(parent, text);
    return;
  }
  Send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), "SetText");
  // A single-line edit already sends EN_UPDATE and EN_CHANGE for WM_SETTEXT
  // (Windows and Wine alike); a multi-line one does not, so it gets them here.
  const bool multiLineEdit = SameClassName(ToU16(ClassOf(hwnd)), u"Edit") &&
                             (GetWindowLongW(hwnd, GWL_STYLE) & ES_MULTILINE) != 0;
  if (multiLineEdit) {
    NotifyParent(hwnd, EN_UPDATE);
    NotifyParent(hwnd, EN_CHANGE);
  }
}

void Click(HWND button) {
  if (!detail::UserCanReach(button, "Click")) return;
  if (!PostMessageW(button, BM_CLICK, 0, 0)) detail::ThrowWin32("Click: PostMessage(BM_CLICK) failed");
}

bool IsChecked(HWND button) { return Send(button, BM_GETCHECK, 0, 0, "IsChecked") == BST_CHECKED; }

std::vector<std::wstring> ComboItems(HWND combo) {
  const LRESULT count = Send(combo, CB_GETCOUNT, 0, 0, "ComboItems");
  std::vector<std::wstring> items;
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT len = Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0, "ComboItems");
    if (len == CB_ERR) break;  // the list shrank meanwhile
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
    const LRESULT n = Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()),
                           "ComboItems");
    text.resize(n == CB_ERR ? 0 : static_cast<size_t>(n));
    items.push_back(std::move(text));
  }
  return items;
}

int ComboSelection(HWND combo) {
  const LRESULT sel = Send(combo, CB_GETCURSEL, 0, 0, "ComboSelection");
  return sel == CB_ERR ? -1 : static_cast<int>(sel);
}

void ChooseComboItem(HWND combo, int index) {
  const LRESULT count = Send(combo, CB_GETCOUNT, 0, 0, "ChooseComboItem");
  if (index < 0 || index >= count) {
    throw std::out_of_range("ChooseComboItem: no item " + std::to_string(index) + " in a list of " +
                            std::to_string(count));
  }
  if (!detail::UserCanReach(combo, "ChooseComboItem")) return;
  Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, "ChooseComboItem");
  NotifyParent(combo, CBN_SELCHANGE);
}

bool ChooseComboText(HWND combo, const std::wstring& text) {
  // Compared exactly: CB_FINDSTRINGEXACT ignores case and would pick "beta"
  // for "Beta".
  const std::vector<std::wstring> items = ComboItems(combo);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) {
      ChooseComboItem(combo, static_cast<int>(i));
      return true;
    }
  }
  return false;
}

}  // namespace kit::e2e
