// Decisions the driver takes about windows it finds, kept apart from the
// Win32 calls so they can be checked without Windows: which window a label
// labels, whether a dialog is a message box, which of its children hold the
// text, the buttons and the icon.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kit::e2e {

// What the driver reads about one child window.
struct ChildInfo {
  std::u16string className;
  std::u16string text;
  int32_t id = 0;        // GetDlgCtrlID
  uint32_t style = 0;    // GWL_STYLE
  bool visible = true;
  bool showsIcon = false;  // an SS_ICON static that holds an icon (STM_GETICON)
};

// Window class names compare without case, like Windows does.
bool SameClassName(const std::u16string& a, const std::u16string& b);

// Top-level windows that every GUI thread owns besides its own (the input
// method windows); a search for "any window" of a program skips them.
bool IsHelperWindowClass(const std::u16string& className);

// Controls made of inner windows, which a search for a control does not
// enter: a combo box's edit has id 1001 and would otherwise be found in place
// of the dialog's own control 1001. A search inside one starts from it.
bool IsCompositeControlClass(const std::u16string& className);

// Index of the control that the first static with this text, or showing it
// (without an access key's "&"), labels:
// the next sibling after it (Z order) that is not a static. nullopt when no
// static has the text or nothing but statics follow it.
std::optional<size_t> LabelledSibling(const std::vector<ChildInfo>& siblings,
                                      const std::u16string& label);

// A message box holds nothing but statics and buttons, with one button at
// least; a program's own dialogs have edits, lists or trees besides.
bool LooksLikeMessageBox(const std::vector<ChildInfo>& children);

struct MessageBoxLayout {
  std::optional<size_t> text;    // the static holding the message
  std::vector<size_t> buttons;   // in the order given (Z order)
  bool hasIcon = false;          // a visible SS_ICON static holding an icon
};
// The message text is the static with id 0xFFFF (as both Windows and Wine
// create it); failing that, the first non-icon static with text.
MessageBoxLayout DescribeMessageBox(const std::vector<ChildInfo>& children);

}  // namespace kit::e2e
