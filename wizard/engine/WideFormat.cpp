#include "wizard/engine/WideFormat.h"

namespace quispor {

std::u16string Decimal(int64_t value) {
  // Through the unsigned magnitude so that the most negative value negates safely.
  const bool negative = value < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  return negative ? u"-" + digits : digits;
}

std::u16string Hex(uint32_t value) {
  static const char16_t digits[] = u"0123456789abcdef";
  std::u16string out;
  do {
    out.insert(out.begin(), digits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return out;
}

std::u16string WideFormat(std::u16string_view format, std::initializer_list<FormatArg> args) {
  std::u16string out;
  const FormatArg* next = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char16_t c = format[i];
    if (c != u'%' || i + 1 >= format.size()) {
      out += c;
      continue;
    }
    std::size_t j = i + 1;
    if (format[j] == u'%') {
      out += u'%';
      i = j;
      continue;
    }
    std::size_t width = 0;
    while (j < format.size() && format[j] >= u'0' && format[j] <= u'9') {
      width = width * 10 + static_cast<std::size_t>(format[j] - u'0');
      ++j;
    }
    if (j < format.size() && format[j] == u'w') {
      ++j;
    }
    if (j >= format.size()) {
      out.append(format.substr(i));
      break;
    }
    const char16_t conversion = format[j];
    std::u16string piece;
    const bool haveArg = next != args.end();
    switch (conversion) {
      case u's':
        if (haveArg) {
          piece = next->text != nullptr ? std::u16string(next->text) : std::u16string(u"(null)");
        }
        break;
      case u'd':
      case u'i':
        if (haveArg) {
          piece = Decimal(static_cast<int32_t>(next->number));
        }
        break;
      case u'u':
        if (haveArg) {
          piece = Decimal(static_cast<uint32_t>(next->number));
        }
        break;
      case u'x':
        if (haveArg) {
          piece = Hex(static_cast<uint32_t>(next->number));
        }
        break;
      default:
        out.append(format.substr(i, j - i + 1));
        i = j;
        continue;
    }
    if (haveArg) {
      ++next;
    }
    if (piece.size() < width) {
      piece.insert(0, width - piece.size(), u' ');
    }
    out += piece;
    i = j;
  }
  return out;
}

}  // namespace quispor
