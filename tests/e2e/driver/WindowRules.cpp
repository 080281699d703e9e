#include "tests/e2e/driver/WindowRules.h"

namespace kit::e2e {
namespace {

constexpr uint32_t kStaticTypeMask = 0x1F;  // SS_TYPEMASK
constexpr uint32_t kStaticIcon = 0x03;      // SS_ICON
constexpr int32_t kMessageTextId = 0xFFFF;

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool IsStatic(const ChildInfo& c) { return SameClassName(c.className, u"Static"); }
bool IsButton(const ChildInfo& c) { return SameClassName(c.className, u"Button"); }
bool IsIconStatic(const ChildInfo& c) { return IsStatic(c) && (c.style & kStaticTypeMask) == kStaticIcon; }

// The text as a static shows it: "&" marks the next character as the access
// key, "&&" stands for one "&".
std::u16string Shown(const std::u16string& text) {
  std::u16string shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    shown.push_back(text[i]);
  }
  return shown;
}

}  // namespace

bool SameClassName(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool IsHelperWindowClass(const std::u16string& className) {
  return SameClassName(className, u"IME") || SameClassName(className, u"MSCTFIME UI");
}

bool IsCompositeControlClass(const std::u16string& className) {
  for (const char16_t* composite :
       {u"ComboBox", u"ComboBoxEx32", u"SysIPAddress32", u"SysListView32", u"SysTreeView32"}) {
    if (SameClassName(className, composite)) return true;
  }
  return false;
}

std::optional<size_t> LabelledSibling(const std::vector<ChildInfo>& siblings,
                                      const std::u16string& label) {
  for (size_t i = 0; i < siblings.size(); ++i) {
    if (!IsStatic(siblings[i]) || (siblings[i].text != label && Shown(siblings[i].text) != label)) continue;
    for (size_t j = i + 1; j < siblings.size(); ++j) {
      if (!IsStatic(siblings[j])) return j;
    }
    return std::nullopt;
  }
  return std::nullopt;
}

bool LooksLikeMessageBox(const std::vector<ChildInfo>& children) {
  bool anyButton = false;
  for (const auto& c : children) {
    if (IsButton(c)) {
      anyButton = true;
    } else if (!IsStatic(c)) {
      return false;
    }
  }
  return anyButton;
}

MessageBoxLayout DescribeMessageBox(const std::vector<ChildInfo>& children) {
  MessageBoxLayout layout;
  std::optional<size_t> firstTextStatic;
  for (size_t i = 0; i < children.size(); ++i) {
    const ChildInfo& c = children[i];
    if (IsButton(c)) {
      layout.buttons.push_back(i);
    } else if (IsIconStatic(c)) {
      // Wine keeps an empty icon static in boxes without an icon.
      if (c.visible && c.showsIcon) layout.hasIcon = true;
    } else if (IsStatic(c)) {
      if ((c.id & 0xFFFF) == kMessageTextId && !layout.text) layout.text = i;
      if (!c.text.empty() && !firstTextStatic) firstTextStatic = i;
    }
  }
  if (!layout.text) layout.text = firstTextStatic;
  return layout;
}

}  // namespace kit::e2e
