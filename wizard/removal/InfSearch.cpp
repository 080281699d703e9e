#include "wizard/removal/InfSearch.h"

#include <cstring>
#include <new>

#include "wizard/engine/ModelCatalogue.h"

namespace quispor::removal {
namespace {

constexpr int kNarrowCapacity = 260;

// text in the ANSI code page, or empty when it does not fit 259 bytes.
std::string Narrow(platform::CodePage& codePage, const char16_t* text) {
  char buffer[kNarrowCapacity] = {};
  if (codePage.WideCharToMultiByte(platform::kCpAcp, 0, text, -1, buffer, kNarrowCapacity, nullptr, nullptr) <= 0) {
    return {};
  }
  buffer[kNarrowCapacity - 1] = '\0';
  return buffer;
}

std::string Utf16LeBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

// Roughly how common a byte is in the text of an INF file: white space and
// the zero bytes of UTF-16 most, then lower-case letters (by their frequency
// in English), punctuation, digits, upper-case letters; other bytes least.
int Commonness(unsigned char c) {
  constexpr std::string_view kLettersByFrequency = "etaoinshrdlcumwfgypbvkjxqz";
  if (c == 0 || c == ' ' || c == '\t' || c == '\r' || c == '\n') {
    return 1000;
  }
  if (c >= 'a' && c <= 'z') {
    return 600 - static_cast<int>(kLettersByFrequency.find(static_cast<char>(c)));
  }
  if (c >= 'A' && c <= 'Z') {
    return 200 - static_cast<int>(kLettersByFrequency.find(static_cast<char>(c - 'A' + 'a')));
  }
  if (c >= '0' && c <= '9') {
    return 300;
  }
  return c < 0x80 ? 400 : 50;
}

bool At(std::string_view text, std::size_t at, const std::string& bytes) {
  return text.size() - at >= bytes.size() && std::memcmp(text.data() + at, bytes.data(), bytes.size()) == 0;
}

// Calls check(offset) at every offset of text that holds byte, in order,
// until check says true.
template <typename Check>
bool ForEachByte(std::string_view text, char byte, Check check) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  for (const char* p = begin; p < end; ++p) {
    p = static_cast<const char*>(std::memchr(p, byte, static_cast<std::size_t>(end - p)));
    if (p == nullptr) {
      return false;
    }
    if (check(static_cast<std::size_t>(p - begin))) {
      return true;
    }
  }
  return false;
}

bool Find(std::string_view text, const Needle& needle, bool evenOnly) {
  if (needle.bytes.empty()) {
    return false;
  }
  return ForEachByte(text, needle.bytes[needle.anchor], [&](std::size_t hit) {
    if (hit < needle.anchor) {
      return false;
    }
    const std::size_t start = hit - needle.anchor;
    return (!evenOnly || start % 2 == 0) && At(text, start, needle.bytes);
  });
}

}  // namespace

Needle::Needle(std::string_view text) : bytes(text) {
  for (std::size_t i = 1; i < bytes.size(); ++i) {
    if (Commonness(static_cast<unsigned char>(bytes[i])) < Commonness(static_cast<unsigned char>(bytes[anchor]))) {
      anchor = i;
    }
  }
}

NameSearch::NameSearch(std::string_view narrow, std::string_view wide) : narrow_(narrow), wide_(wide) {
  // The wide form's byte at twice the narrow anchor is the same byte: one
  // memchr pass finds the candidates of both.
  onePass_ = !narrow.empty() && wide.size() == 2 * narrow.size() &&
             wide[2 * narrow_.anchor] == narrow[narrow_.anchor];
}

bool NameSearch::In(std::string_view text) const {
  if (!onePass_) {
    return Find(text, narrow_, false) || Find(text, wide_, true);
  }
  const std::size_t anchor = narrow_.anchor;
  return ForEachByte(text, narrow_.bytes[anchor], [&](std::size_t hit) {
    if (hit >= anchor && At(text, hit - anchor, narrow_.bytes)) {
      return true;
    }
    return hit >= 2 * anchor && (hit - 2 * anchor) % 2 == 0 && At(text, hit - 2 * anchor, wide_.bytes);
  });
}

bool ContainsName(std::string_view text, std::string_view narrow, std::string_view wide) {
  return NameSearch(narrow, wide).In(text);
}

InfReader::InfReader(platform::CrtFiles& files, platform::CodePage& codePage, int32_t modelIndex)
    : files_(files), codePage_(codePage) {
  Add(modelIndex);
}

InfReader::InfReader(platform::CrtFiles& files, platform::CodePage& codePage, AllModels)
    : files_(files), codePage_(codePage) {
  for (int32_t i = 0; i < modelCount; ++i) {
    Add(i);
  }
}

void InfReader::Add(int32_t modelIndex) {
  if (modelIndex < 0 || modelIndex >= modelCount) {
    return;
  }
  const char16_t* dataFile = ModelCatalogue[modelIndex].driverFiles[2];
  searches_.emplace_back(Narrow(codePage_, dataFile), Utf16LeBytes(dataFile));
}

bool InfReader::ReadWhole(const std::string& path, std::size_t* size) {
  platform::CrtFile file(files_, files_.fopen(path.c_str(), "rb"));
  if (!file) {
    return false;
  }
  if (files_.fseek(file.get(), 0, platform::kSeekEnd) != 0) {
    return false;
  }
  const int32_t length = files_.ftell(file.get());
  if (length < 0 || files_.fseek(file.get(), 0, platform::kSeekSet) != 0) {
    return false;
  }
  const std::size_t wanted = static_cast<std::size_t>(length);
  if (buffer_.size() < wanted) {
    try {
      buffer_.resize(wanted);
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
  // One read takes a regular file whole; the loop is for a reader that
  // delivers less at a time.
  std::size_t total = 0;
  while (total < wanted) {
    const std::size_t got = files_.fread(buffer_.data() + total, 1, wanted - total, file.get());
    if (got == 0) {
      break;
    }
    total += got;
  }
  *size = total;
  return total == wanted;
}

int InfReader::Contains(const char16_t* path) {
  if (path == nullptr || searches_.empty()) {
    return 0;
  }
  const std::string narrowPath = Narrow(codePage_, path);
  std::size_t size = 0;
  if (narrowPath.empty() || !ReadWhole(narrowPath, &size)) {
    return 0;
  }
  const std::string_view text(buffer_.data(), size);
  for (const NameSearch& search : searches_) {
    if (search.In(text)) {
      return 1;
    }
  }
  return 0;
}

int InfContainsModel(platform::CrtFiles& files, platform::CodePage& codePage, const char16_t* path,
                     int32_t modelIndex) {
  return InfReader(files, codePage, modelIndex).Contains(path);
}

}  // namespace quispor::removal
