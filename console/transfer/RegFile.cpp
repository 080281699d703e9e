#include "console/transfer/RegFile.h"

#include <string_view>

#include "console/transfer/Utf8.h"

namespace vantrel {

namespace {

constexpr std::u16string_view kUnicodeHeader = u"Windows Registry Editor Version 5.00";
constexpr std::u16string_view kAnsiHeader = u"REGEDIT4";
constexpr std::uint32_t kRegBinary = 3;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view TrimLeft(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::u16string_view TrimRight(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool StartsWithNoCase(std::u16string_view s, std::u16string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Upper(s[i]) != Upper(prefix[i])) return false;
  }
  return true;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Reads up to maxDigits hexadecimal digits from the front of s.
bool TakeHex(std::u16string_view& s, std::size_t maxDigits, std::uint32_t* value) {
  std::size_t n = 0;
  std::uint32_t v = 0;
  while (n < s.size() && n < maxDigits && HexDigit(s[n]) >= 0) {
    v = v * 16 + static_cast<std::uint32_t>(HexDigit(s[n]));
    ++n;
  }
  if (n == 0) return false;
  s.remove_prefix(n);
  *value = v;
  return true;
}

std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

bool IsHexDigit(char16_t c) { return HexDigit(c) >= 0; }

// A comment line as the registry editor skips it.
bool IsComment(std::u16string_view line) { return !line.empty() && (line.front() == u';' || line.front() == u'#'); }

// The line number of offset, counting line ends as SplitLines does.
int LineOf(std::string_view text, std::size_t offset) {
  int line = 1;
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++line;
  }
  return line;
}

class Reader {
 public:
  explicit Reader(std::vector<std::u16string_view> lines) : lines_(std::move(lines)) {}

  // brokenTail: the last UTF-16 character lacks its second byte.
  RegFile Read(bool brokenTail) {
    // The editor takes either header in any encoding, after blanks.
    const std::u16string_view header = lines_.empty() ? std::u16string_view() : TrimRight(TrimLeft(lines_[0]));
    if (header != kUnicodeHeader && header != kAnsiHeader) {
      Fail(
          "The file is not a registry file: its first line must be \"Windows Registry Editor Version 5.00\" or "
          "\"REGEDIT4\".");
    }
    if (brokenTail) {
      index_ = lines_.size() - 1;
      Fail("The file ends in the middle of a UTF-16 character.");
    }
    RegFile file;
    for (index_ = 1; index_ < lines_.size(); ++index_) {
      RefuseZero();
      const std::u16string_view line = TrimLeft(lines_[index_]);
      if (line.empty() || IsComment(line)) continue;
      if (line.front() == u'[') {
        file.keys.push_back(KeyLine(line));
      } else if (line.front() == u'"' || line.front() == u'@') {
        if (file.keys.empty()) Fail("A value must come after a key line.");
        file.keys.back().values.push_back(ValueLine(line));
      } else {
        // The editor skips such a line; it is often a value it would lose.
        Fail("This line is not a key, a value or a comment.");
      }
    }
    return file;
  }

 private:
  int LineNumber() const { return static_cast<int>(index_) + 1; }
  [[noreturn]] void Fail(const std::string& reason) const { throw RegFileError(LineNumber(), reason); }

  // A zero would end a name or a text early once it is handed on.
  void RefuseZero() const {
    if (lines_[index_].find(u'\0') != std::u16string_view::npos) Fail("The line holds a zero character.");
  }

  // Blanks or a comment may end a line; anything else is refused.
  void ExpectEnd(std::u16string_view rest) const {
    rest = TrimLeft(rest);
    if (!rest.empty() && rest.front() != u';') Fail("Unexpected text at the end of the line.");
  }

  RegFileKey KeyLine(std::u16string_view line) const {
    const std::size_t close = line.rfind(u']');
    if (close == std::u16string_view::npos) Fail("A key line must end with \"]\".");
    ExpectEnd(line.substr(close + 1));
    RegFileKey key;
    key.line = LineNumber();
    std::u16string_view path = line.substr(1, close - 1);
    if (!path.empty() && path.front() == u'-') {
      key.remove = true;
      path.remove_prefix(1);
    }
    if (path.empty()) Fail("The key line names no key.");
    // The editor skips such a key and every value under it.
    if (IsBlank(path.front())) Fail("The key name must follow \"[\" without a blank.");
    key.path = std::u16string(path);
    return key;
  }

  // A quoted text after its opening quote; \\ and \" are the only escapes.
  std::u16string Quoted(std::u16string_view& rest) const {
    std::u16string text;
    for (std::size_t i = 0; i < rest.size(); ++i) {
      const char16_t c = rest[i];
      if (c == u'"') {
        rest.remove_prefix(i + 1);
        return text;
      }
      if (c == u'\\') {
        if (i + 1 == rest.size() || (rest[i + 1] != u'\\' && rest[i + 1] != u'"')) {
          Fail("A backslash in quotes must be followed by \\ or \".");
        }
        ++i;
      }
      text.push_back(rest[i]);
    }
    Fail("A quoted text has no closing quote.");
  }

  RegFileValue ValueLine(std::u16string_view line) {
    RegFileValue value;
    value.line = LineNumber();
    std::u16string_view rest = line.substr(1);
    if (line.front() == u'"') value.name = Quoted(rest);
    rest = TrimLeft(rest);
    if (rest.empty() || rest.front() != u'=') Fail("The value name must be followed by \"=\".");
    rest = TrimLeft(rest.substr(1));

    if (!rest.empty() && rest.front() == u'"') {
      rest.remove_prefix(1);
      value.text = Quoted(rest);
      ExpectEnd(rest);
    } else if (!rest.empty() && rest.front() == u'-') {
      value.data = RegData::Delete;
      ExpectEnd(rest.substr(1));
    } else if (rest.starts_with(u"dword:")) {
      rest = TrimLeft(rest.substr(6));
      value.data = RegData::Number;
      value.type = 4;
      if (!TakeHex(rest, 8, &value.number)) Fail("A dword value needs 1 to 8 hexadecimal digits.");
      ExpectEnd(rest);
    } else if (rest.starts_with(u"hex")) {
      value.data = RegData::Hex;
      value.type = HexType(rest);
      HexBytes(rest);
    } else if (StartsWithNoCase(rest, u"dword:") || StartsWithNoCase(rest, u"hex")) {
      // The editor reads the type tags in small letters only.
      Fail("The type of the value must be written in small letters, \"dword:\" or \"hex\".");
    } else {
      Fail("The value's data is neither quoted text, dword: nor hex:.");
    }
    return value;
  }

  // "hex:" is REG_BINARY, "hex(n):" the type n.
  std::uint32_t HexType(std::u16string_view& rest) const {
    rest.remove_prefix(3);
    std::uint32_t type = kRegBinary;
    if (!rest.empty() && rest.front() == u'(') {
      rest.remove_prefix(1);
      if (!TakeHex(rest, 8, &type) || rest.empty() || rest.front() != u')') {
        Fail("hex( must be followed by a type number and \")\".");
      }
      rest.remove_prefix(1);
    }
    if (rest.empty() || rest.front() != u':') Fail("hex must be followed by \":\".");
    rest.remove_prefix(1);
    return type;
  }

  // Bytes of one or two hexadecimal digits, each followed by a comma or by
  // the end of the value. A "\" after a comma (or right after the colon)
  // continues the value on the next line that is not blank or a comment;
  // anything else there is a value the editor would lose.
  void HexBytes(std::u16string_view rest) {
    bool afterComma = true;
    for (;;) {
      rest = TrimLeft(rest);
      if (rest.empty() || rest.front() == u';') return;
      if (rest.front() == u'\\') {
        if (!afterComma) Fail("In a hex value, \"\\\" must follow a comma.");
        ExpectEnd(rest.substr(1));
        if (!NextContinuedLine(&rest)) return;  // the file ends: the editor keeps the value
        continue;
      }
      std::size_t digits = 0;
      while (digits < rest.size() && IsHexDigit(rest[digits])) ++digits;
      if (digits == 0 || digits > 2) Fail("A hex value holds two-digit bytes separated by commas.");
      rest.remove_prefix(digits);
      afterComma = !rest.empty() && rest.front() == u',';
      if (afterComma) {
        rest.remove_prefix(1);
        continue;
      }
      rest = TrimLeft(rest);
      if (!rest.empty() && rest.front() != u';') Fail("A hex value holds two-digit bytes separated by commas.");
      return;
    }
  }

  // Moves to the line that continues a hex value, past blank and comment
  // lines; false at the end of the file.
  bool NextContinuedLine(std::u16string_view* rest) {
    while (++index_ < lines_.size()) {
      RefuseZero();
      const std::u16string_view line = TrimLeft(lines_[index_]);
      if (line.empty() || line.front() == u';') continue;
      if (!IsHexDigit(line.front())) Fail("The hex value of the line before must go on here with its next byte.");
      *rest = line;
      return true;
    }
    --index_;
    return false;
  }

  std::vector<std::u16string_view> lines_;
  std::size_t index_ = 0;
};

// What stands on one line of the file: no line break, no zero.
std::u16string_view OneLine(std::u16string_view text) {
  if (text.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string_view::npos) {
    throw std::invalid_argument("a registry file cannot hold a line break or a zero in a text");
  }
  return text;
}

// The file's bytes, UTF-16LE after the byte-order mark, written straight
// into one buffer sized up front: an export of thousands of devices is tens
// of megabytes.
class Utf16Writer {
 public:
  explicit Utf16Writer(std::size_t chars) {
    bytes_.reserve(2 + 2 * chars);
    bytes_ = {0xFF, 0xFE};
  }
  Utf16Writer& Put(std::u16string_view text) {
    for (char16_t c : text) PutChar(c);
    return *this;
  }
  // A name or a text between quotes.
  Utf16Writer& Quoted(std::u16string_view text) {
    PutChar(u'"');
    for (char16_t c : OneLine(text)) {
      if (c == u'\\' || c == u'"') PutChar(u'\\');
      PutChar(c);
    }
    PutChar(u'"');
    return *this;
  }
  Utf16Writer& Dword(std::uint32_t value) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    Put(u"dword:");
    for (int shift = 28; shift >= 0; shift -= 4) PutChar(kDigits[(value >> shift) & 0xF]);
    return *this;
  }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  void PutChar(char16_t c) {
    bytes_.push_back(static_cast<std::uint8_t>(c));
    bytes_.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  std::vector<std::uint8_t> bytes_;
};

}  // namespace

RegFile ReadRegFile(std::span<const std::uint8_t> bytes, TextCodec& codec) {
  std::u16string text;
  const bool utf16 = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
  if (utf16) {
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    }
  } else {
    // UTF-8 with its byte-order mark, or any file that is valid UTF-8 (as
    // Notepad saves by default); the system code page otherwise.
    std::string_view narrow(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const bool utf8Mark = narrow.starts_with("\xEF\xBB\xBF");
    if (utf8Mark) narrow.remove_prefix(3);
    std::size_t invalidAt = 0;
    if (!Utf8ToUtf16(narrow, &text, &invalidAt)) {
      if (utf8Mark) {
        throw RegFileError(LineOf(narrow, invalidAt), "The file has a UTF-8 byte-order mark, but this line is not UTF-8.");
      }
      text = codec.Widen(narrow);
    }
  }
  return Reader(SplitLines(text)).Read(utf16 && bytes.size() % 2 != 0);
}

std::vector<std::uint8_t> WriteRegFile(const RegFile& file) {
  // Room for every character and the syntax around it; escapes are rare.
  std::size_t chars = kUnicodeHeader.size() + 4;
  for (const std::u16string& comment : file.comments) chars += comment.size() + 4;
  for (const RegFileKey& key : file.keys) {
    chars += key.path.size() + 6;
    for (const RegFileValue& value : key.values) chars += value.name.size() + value.text.size() + 24;
  }
  Utf16Writer out(chars);
  out.Put(kUnicodeHeader).Put(u"\r\n");
  for (const std::u16string& comment : file.comments) out.Put(u"; ").Put(OneLine(comment)).Put(u"\r\n");
  for (const RegFileKey& key : file.keys) {
    out.Put(u"\r\n[").Put(OneLine(key.path)).Put(u"]\r\n");
    for (const RegFileValue& value : key.values) {
      if (value.name.empty()) {
        out.Put(u"@");
      } else {
        out.Quoted(value.name);
      }
      out.Put(u"=");
      if (value.data == RegData::Text) {
        out.Quoted(value.text);
      } else if (value.data == RegData::Number) {
        out.Dword(value.number);
      } else {
        throw std::invalid_argument("only text and number values are written");
      }
      out.Put(u"\r\n");
    }
  }
  out.Put(u"\r\n");
  return out.Take();
}

}  // namespace vantrel
