#include "console/transfer/Utf8.h"

namespace vantrel {

namespace {

bool Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

bool Utf8ToUtf16(std::string_view bytes, std::u16string* text, std::size_t* invalidAt) {
  text->clear();
  text->reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      text->push_back(lead);
      ++i;
      continue;
    }
    // The length of the sequence and the range its second byte must lie in,
    // which excludes overlong forms, surrogates and values past U+10FFFF.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      value = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      value = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    }
    bool wellFormed = length != 0 && i + length <= bytes.size();
    for (std::size_t k = 1; wellFormed && k < length; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      wellFormed = k == 1 ? c >= low && c <= high : Continuation(c);
      value = value << 6 | (c & 0x3F);
    }
    if (!wellFormed) {
      *invalidAt = i;
      return false;
    }
    if (value < 0x10000) {
      text->push_back(static_cast<char16_t>(value));
    } else {
      value -= 0x10000;
      text->push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
      text->push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
    }
    i += length;
  }
  return true;
}

}  // namespace vantrel
