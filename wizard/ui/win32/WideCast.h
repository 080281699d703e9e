// The logic's UTF-16 text is Windows' WCHAR text; these casts only change
// the pointer type.
#pragma once

#include <windows.h>

namespace quispor::win32 {

inline const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* W(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }

}  // namespace quispor::win32
