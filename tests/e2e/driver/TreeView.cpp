// Tree views of another process: TVM_GETITEMW and TVM_GETITEMRECT take
// pointers, which must point into the tree's own process.

#include <cstring>
#include <stdexcept>

#include "tests/e2e/driver/RemoteMemory.h"
#include "tests/e2e/driver/TestDriver.h"
#include "tests/e2e/driver/Win32Helpers.h"

namespace kit::e2e {
namespace {

using detail::RemoteMemory;
using detail::Send;

constexpr size_t kTextChars = 1024;
constexpr size_t kTextOffset = (sizeof(TVITEMW) + 15) / 16 * 16;
constexpr size_t kMaxItems = 200000;  // a tree changing under the walk cannot loop it for ever

HTREEITEM Next(HWND tree, UINT how, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(
      Send(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item), "TreeItems"));
}

TreeItem ReadItem(HWND tree, RemoteMemory& remote, HTREEITEM handle, int level) {
  TVITEMW item = {};
  item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE;
  item.hItem = handle;
  item.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
  item.pszText = static_cast<LPWSTR>(remote.at(kTextOffset));
  item.cchTextMax = static_cast<int>(kTextChars);
  const wchar_t none = L'\0';
  remote.Write(kTextOffset, &none, sizeof none);
  remote.Write(0, &item, sizeof item);
  if (!Send(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.address()), "TreeItems")) {
    throw std::runtime_error("TreeItems: TVM_GETITEMW failed (the item went away?)");
  }
  TVITEMW back = {};
  remote.Read(0, &back, sizeof back);

  // A callback item may answer with a pointer to its own buffer instead.
  std::wstring text(kTextChars, L'\0');
  if (back.pszText == item.pszText) {
    remote.Read(kTextOffset, text.data(), kTextChars * sizeof(wchar_t));
  } else if (back.pszText && back.pszText != LPSTR_TEXTCALLBACKW) {
    for (size_t i = 0; i < kTextChars; ++i) {
      if (!remote.ReadFrom(back.pszText + i, &text[i], sizeof(wchar_t)) || text[i] == L'\0') break;
    }
  }
  text.back() = L'\0';
  text.resize(text.find(L'\0'));
  return TreeItem{handle, std::move(text), level, (back.state & TVIS_EXPANDED) != 0,
                  (back.state & TVIS_SELECTED) != 0};
}

// The text rectangle of item; false when the item is not displayed (it sits
// inside a collapsed node).
bool ItemRect(HWND tree, RemoteMemory& remote, HTREEITEM item, RECT* rect) {
  // TVM_GETITEMRECT takes the item handle in the RECT it fills.
  RECT in = {};
  static_assert(sizeof(HTREEITEM) <= sizeof(RECT));
  memcpy(&in, &item, sizeof item);
  remote.Write(0, &in, sizeof in);
  if (!Send(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote.address()), "ClickTreeItem")) {
    return false;
  }
  remote.Read(0, rect, sizeof *rect);
  return true;
}

}  // namespace

std::vector<TreeItem> TreeItems(HWND tree) {
  RemoteMemory remote(tree, kTextOffset + kTextChars * sizeof(wchar_t));
  std::vector<TreeItem> items;
  // Depth first without recursion: a stack of the next sibling to visit.
  std::vector<std::pair<HTREEITEM, int>> pending;
  if (HTREEITEM root = Next(tree, TVGN_ROOT, nullptr)) pending.emplace_back(root, 0);
  while (!pending.empty() && items.size() < kMaxItems) {
    auto [handle, level] = pending.back();
    pending.pop_back();
    items.push_back(ReadItem(tree, remote, handle, level));
    if (HTREEITEM sibling = Next(tree, TVGN_NEXT, handle)) pending.emplace_back(sibling, level);
    if (HTREEITEM child = Next(tree, TVGN_CHILD, handle)) pending.emplace_back(child, level + 1);
  }
  return items;
}

void ClickTreeItem(HWND tree, const TreeItem& item, MouseButton button) {
  RemoteMemory remote(tree, sizeof(RECT));
  RECT rect = {};
  if (!ItemRect(tree, remote, item.handle, &rect)) {
    throw std::runtime_error("ClickTreeItem: item \"" + detail::Narrow(item.text) +
                             "\" is not displayed; expand its parent first (ExpandTreeItem)");
  }
  RECT client = {};
  GetClientRect(tree, &client);
  POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  if (!PtInRect(&client, centre)) {
    // Scrolled out of sight: scroll to it as a user would before clicking.
    Send(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item.handle), "ClickTreeItem");
    if (!ItemRect(tree, remote, item.handle, &rect)) {
      throw std::runtime_error("ClickTreeItem: item went away");
    }
    centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  MouseClickAt(tree, centre, button);
  if (button == MouseButton::Left) {
    // The program may refuse the selection; then this just waits briefly.
    WaitUntil([&] { return Next(tree, TVGN_CARET, nullptr) == item.handle; }, 2000);
  }
}

void ExpandTreeItem(HWND tree, const TreeItem& item, bool expand) {
  Send(tree, TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(item.handle),
       "ExpandTreeItem");
}

}  // namespace kit::e2e
