#include "wizard/removal/LogText.h"

#include "wizard/engine/DebugLog.h"

namespace quispor::removal {

std::u16string Decimal(int64_t value) {
  const bool negative = value < 0;
  uint64_t magnitude = negative ? static_cast<uint64_t>(-(value + 1)) + 1 : static_cast<uint64_t>(value);
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  return negative ? u"-" + digits : digits;
}

std::u16string Hex(uint32_t value) {
  static const char16_t kDigits[] = u"0123456789abcdef";
  std::u16string digits;
  do {
    digits.insert(digits.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return digits;
}

std::u16string FitBuffer(std::u16string text, std::size_t capacity) {
  if (capacity == 0) {
    return {};
  }
  if (text.size() > capacity - 1) {
    text.resize(capacity - 1);
  }
  return text;
}

void Log(const std::u16string& line) { WriteDebugLog(line.c_str()); }

}  // namespace quispor::removal
