// The device tree control DevTree: its nodes, its selection and which node
// lies under a point. Node ids are the control's item handles.
#pragma once

#include <windows.h>

#include <string>

#include "console/editor/MainView.h"

namespace vantrel::win32 {

class DevTree {
 public:
  void Attach(HWND tree) { hwnd_ = tree; }
  HWND hwnd() const { return hwnd_; }

  void Clear();
  TreeNodeId Add(TreeNodeId parent, const std::string& text);
  void Expand(TreeNodeId node);
  void Remove(TreeNodeId node);

  TreeNodeId Selection() const;
  // The node on whose row a point in screen coordinates lies, or kNoNode.
  TreeNodeId NodeAt(POINT screen) const;
  // The node a left click chose: the item under the click, else the
  // selection (a click beside an item does not move it). The click
  // notification comes before the selection moves, so the click position
  // tells.
  TreeNodeId ClickedNode() const;
  // Where a menu opened from the keyboard appears, in screen coordinates:
  // below the selected node's text.
  POINT MenuPoint() const;

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace vantrel::win32
