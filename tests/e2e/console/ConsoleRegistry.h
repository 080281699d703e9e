// The console's device profiles in the real registry, as the end-to-end
// tests prepare and check them: in this test program's own registry view,
// which is that of a Vantrel.exe built for the same machine, unless another
// view is chosen; the raw reads can name a view.
#pragma once

#include <windows.h>

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantrel::e2e {

inline constexpr const wchar_t* kClassKeyPath = L"SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER";

// KEY_WOW64_32KEY or KEY_WOW64_64KEY for the calls that follow; 0 for the
// test program's own view.
void UseRegistryView(REGSAM view);

// Removes the class key with everything below it, in both views.
void ClearProfiles();
void PutSz(const std::wstring& subKey, const std::wstring& name, const std::wstring& data);
void PutDword(const std::wstring& subKey, const std::wstring& name, DWORD data);
bool KeyExists(const std::wstring& subKey);
std::vector<std::wstring> SubkeyNames(const std::wstring& subKey);
std::vector<std::wstring> ValueNames(const std::wstring& subKey);

// subKey is relative to the class key ("" for the class key itself).
::testing::AssertionResult HasSz(const std::wstring& subKey, const std::wstring& name,
                                 const std::wstring& expected);
::testing::AssertionResult HasDword(const std::wstring& subKey, const std::wstring& name,
                                    DWORD expected);

// A value as stored: its type and bytes. view: 0 for this program's view,
// KEY_WOW64_32KEY or KEY_WOW64_64KEY for one of them.
struct RawValue {
  DWORD type = 0;
  std::vector<BYTE> data;
  bool operator==(const RawValue&) const = default;
};
using RawValues = std::vector<std::pair<std::wstring, RawValue>>;
// Every value of the key in enumeration order; empty when it does not open.
RawValues ReadValues(const std::wstring& subKey, REGSAM view = 0);

// Lets Everyone only read the key (as a restrictive security descriptor
// would), or gives it back full access.
bool MakeReadOnly(const std::wstring& subKey);
bool MakeWritable(const std::wstring& subKey);

}  // namespace vantrel::e2e
