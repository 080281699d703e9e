// The few control operations the page logic needs, addressed by control id.
#pragma once

namespace quispor {

class DialogView {
 public:
  virtual ~DialogView() = default;
  virtual void SetControlText(int id, const char16_t* text) = 0;
  virtual void SetCheck(int id, bool checked) = 0;
  virtual bool IsChecked(int id) = 0;  // BST_CHECKED
  virtual void ShowControl(int id, bool visible) = 0;
};

// Sets a control's text from the text table (an unknown key leaves it empty).
void SetControlTextKey(DialogView& view, int id, const char* key);

}  // namespace quispor
