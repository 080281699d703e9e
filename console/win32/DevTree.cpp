#include "console/win32/DevTree.h"

#include <commctrl.h>

namespace vantrel::win32 {

namespace {

HTREEITEM ToItem(TreeNodeId node) { return reinterpret_cast<HTREEITEM>(node); }
TreeNodeId ToNode(HTREEITEM item) { return reinterpret_cast<TreeNodeId>(item); }

POINT MessagePoint() {
  const DWORD pos = GetMessagePos();
  return POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

}  // namespace

void DevTree::Clear() { TreeView_DeleteAllItems(hwnd_); }

TreeNodeId DevTree::Add(TreeNodeId parent, const std::string& text) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent == kNoNode ? TVI_ROOT : ToItem(parent);
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<char*>(text.c_str());
  return ToNode(reinterpret_cast<HTREEITEM>(
      SendMessageA(hwnd_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
}

void DevTree::Expand(TreeNodeId node) { TreeView_Expand(hwnd_, ToItem(node), TVE_EXPAND); }

void DevTree::Remove(TreeNodeId node) { TreeView_DeleteItem(hwnd_, ToItem(node)); }

TreeNodeId DevTree::Selection() const { return ToNode(TreeView_GetSelection(hwnd_)); }

TreeNodeId DevTree::NodeAt(POINT screen) const {
  TVHITTESTINFO hit = {};
  hit.pt = screen;
  ScreenToClient(hwnd_, &hit.pt);
  return ToNode(TreeView_HitTest(hwnd_, &hit));
}

TreeNodeId DevTree::ClickedNode() const {
  TVHITTESTINFO hit = {};
  hit.pt = MessagePoint();
  ScreenToClient(hwnd_, &hit.pt);
  HTREEITEM item = TreeView_HitTest(hwnd_, &hit);
  if (item && (hit.flags & TVHT_ONITEM)) return ToNode(item);
  return Selection();
}

POINT DevTree::MenuPoint() const {
  RECT item = {};
  if (HTREEITEM selected = TreeView_GetSelection(hwnd_)) TreeView_GetItemRect(hwnd_, selected, &item, TRUE);
  POINT pt{item.left, item.bottom};
  ClientToScreen(hwnd_, &pt);
  return pt;
}

}  // namespace vantrel::win32
