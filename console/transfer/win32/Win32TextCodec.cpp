#include "console/transfer/win32/Win32TextCodec.h"

#include <windows.h>

namespace vantrel::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::u16string Win32TextCodec::Widen(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(length > 0 ? length : 0), u'\0');
  if (length > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, reinterpret_cast<wchar_t*>(wide.data()), length);
  }
  return wide;
}

bool Win32TextCodec::Narrow(std::u16string_view text, std::string* out) {
  out->clear();
  if (text.empty()) return true;
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  // UTF-8 as the ANSI code page has no default character to report: a
  // character it cannot hold (a lone surrogate) fails the call instead.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* used = utf8 ? nullptr : &usedDefault;
  int length = WideCharToMultiByte(CP_ACP, flags, wide, size, nullptr, 0, nullptr, used);
  if (length <= 0) {
    // Only UTF-8 fails here; show the text with replacement characters.
    length = WideCharToMultiByte(CP_ACP, 0, wide, size, nullptr, 0, nullptr, nullptr);
    out->resize(static_cast<std::size_t>(length > 0 ? length : 0));
    if (length > 0) WideCharToMultiByte(CP_ACP, 0, wide, size, out->data(), length, nullptr, nullptr);
    return false;
  }
  out->resize(static_cast<std::size_t>(length));
  WideCharToMultiByte(CP_ACP, flags, wide, size, out->data(), length, nullptr, used);
  return !usedDefault;
}

}  // namespace vantrel::win32
