#include "wizard/ui/pages/EnetFields.h"

#include <limits>

namespace quispor {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

}  // namespace

int32_t ParseTcpPortNumber(const char16_t* text) {
  if (text == nullptr) return 0;
  while (IsSpace(*text)) ++text;
  bool negative = false;
  if (*text == u'+' || *text == u'-') negative = (*text++ == u'-');
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  while (*text >= u'0' && *text <= u'9') {
    value = value * 10 + (*text++ - u'0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) return static_cast<int32_t>(-value);
  return static_cast<int32_t>(value > std::numeric_limits<int32_t>::max()
                                  ? std::numeric_limits<int32_t>::max()
                                  : value);
}

}  // namespace quispor
