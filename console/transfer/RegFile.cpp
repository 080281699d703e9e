#include "console/transfer/RegFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
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
  for (; n < s.size() && n < maxDigits; ++n) {
    const int digit = HexDigit(s[n]);
    if (digit < 0) break;
    v = v * 16 + static_cast<std::uint32_t>(digit);
  }
  if (n == 0) return false;
  s.remove_prefix(n);
  *value = v;
  return true;
}

bool IsHexDigit(char16_t c) { return HexDigit(c) >= 0; }

// Where the first " or \ stands in text from `from` on, or text.size().
// Four characters at a time: a word of four 16-bit lanes, tested for a lane
// equal to either (a lane that becomes zero by the xor borrows its top bit).
std::size_t QuoteOrBackslash(std::u16string_view text, std::size_t from) {
  constexpr std::uint64_t kLanes = 0x0001000100010001ull;
  constexpr std::uint64_t kTops = 0x8000800080008000ull;
  std::size_t i = from;
  for (; i + 4 <= text.size(); i += 4) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, sizeof word);
    const std::uint64_t quote = word ^ (u'"' * kLanes);
    const std::uint64_t backslash = word ^ (u'\\' * kLanes);
    if ((((quote - kLanes) & ~quote) | ((backslash - kLanes) & ~backslash)) & kTops) break;
  }
  for (; i < text.size(); ++i) {
    if (text[i] == u'"' || text[i] == u'\\') return i;
  }
  return i;
}

// A comment line as the registry editor skips it.
bool IsComment(std::u16string_view line) { return !line.empty() && (line.front() == u';' || line.front() == u'#'); }

// The line number of offset, counting line ends as the reader does.
int LineOf(std::string_view text, std::size_t offset) {
  int line = 1;
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++line;
  }
  return line;
}

class Reader {
 public:
  explicit Reader(std::u16string_view text) : text_(text), size_(text.size()) {}
  // UTF-16LE after its byte-order mark; an odd last byte is left out.
  explicit Reader(std::span<const std::uint8_t> utf16) : utf16_(utf16), decode_(true), size_(utf16.size() / 2) {}

  // brokenTail: the last UTF-16 character lacks its second byte. Each key
  // goes to onKey with its values when the next key line or the end of the
  // file is reached; the key is then filled anew for the next one.
  void Read(bool brokenTail, const std::function<void(RegFileKey&)>& onKey) {
    // The editor takes either header in any encoding, after blanks.
    const std::u16string_view header = NextLine() ? TrimRight(TrimLeft(line_)) : std::u16string_view();
    if (header != kUnicodeHeader && header != kAnsiHeader) {
      Fail(
          "The file is not a registry file: its first line must be \"Windows Registry Editor Version 5.00\" or "
          "\"REGEDIT4\".");
    }
    if (brokenTail) {
      while (NextLine()) {
      }
      Fail("The file ends in the middle of a UTF-16 character.");
    }
    bool haveKey = false;
    while (NextLine()) {
      RefuseZero();
      const std::u16string_view line = TrimLeft(line_);
      if (line.empty() || IsComment(line)) continue;
      if (line.front() == u'[') {
        if (haveKey) HandOn(onKey);
        KeyLine(line);
        haveKey = true;
      } else if (line.front() == u'"' || line.front() == u'@') {
        if (!haveKey) Fail("A value must come after a key line.");
        ValueLine(line, NextValue());
      } else {
        // The editor skips such a line; it is often a value it would lose.
        Fail("This line is not a key, a value or a comment.");
      }
    }
    if (haveKey) HandOn(onKey);
  }

 private:
  // Lines end at CR LF, LF or CR; a text that ends with a line end has no
  // empty line after it. Each line is found as it is read, with whether it
  // holds a zero; UTF-16 bytes are decoded on the way, a line at a time,
  // into a buffer that stays in the cache rather than into a copy of the
  // whole file.
  bool NextLine() {
    if (next_ >= size_) return false;
    const std::size_t start = next_;
    std::size_t end = start;
    lineHasZero_ = false;
    if (!decode_) {
      for (; end < size_; ++end) {
        if (IsLineEnd(text_[end])) break;
      }
      line_ = text_.substr(start, end - start);
    } else {
      char16_t* out = lineBuffer_.data();
      for (; end < size_; ++end) {
        if (end - start == lineBuffer_.size()) {
          lineBuffer_.resize(2 * lineBuffer_.size() + 256);
          out = lineBuffer_.data();
        }
        const char16_t c = static_cast<char16_t>(utf16_[2 * end] | utf16_[2 * end + 1] << 8);
        out[end - start] = c;
        if (IsLineEnd(c)) break;
      }
      line_ = std::u16string_view(lineBuffer_.data(), end - start);
    }
    next_ = end + (end + 1 < size_ && IsCrLf(end) ? 2 : 1);
    ++lines_;
    return true;
  }

  // Notes a zero on the way.
  bool IsLineEnd(char16_t c) {
    if (c > u'\r') return false;  // past the three characters looked for
    lineHasZero_ = lineHasZero_ || c == 0;
    return c == u'\r' || c == u'\n';
  }

  bool IsCrLf(std::size_t at) const {
    if (!decode_) return text_[at] == u'\r' && text_[at + 1] == u'\n';
    return utf16_[2 * at] == '\r' && utf16_[2 * at + 1] == 0 && utf16_[2 * at + 2] == '\n' && utf16_[2 * at + 3] == 0;
  }

  // 1 for the header, and for a file without lines.
  int LineNumber() const { return static_cast<int>(std::max<std::size_t>(lines_, 1)); }
  [[noreturn]] void Fail(const std::string& reason) const { throw RegFileError(LineNumber(), reason); }

  // A zero would end a name or a text early once it is handed on.
  void RefuseZero() const {
    if (lineHasZero_) Fail("The line holds a zero character.");
  }

  // Blanks or a comment may end a line; anything else is refused.
  void ExpectEnd(std::u16string_view rest) const {
    rest = TrimLeft(rest);
    if (!rest.empty() && rest.front() != u';') Fail("Unexpected text at the end of the line.");
  }

  void HandOn(const std::function<void(RegFileKey&)>& onKey) {
    key_.values.resize(values_);
    onKey(key_);
  }

  // The key's values are kept from key to key, with the room of their texts.
  RegFileValue& NextValue() {
    if (values_ == key_.values.size()) key_.values.emplace_back();
    RegFileValue& value = key_.values[values_++];
    value.line = LineNumber();
    value.name.clear();
    value.data = RegData::Text;
    value.type = 1;
    value.text.clear();
    value.number = 0;
    return value;
  }

  void KeyLine(std::u16string_view line) {
    const std::size_t close = line.rfind(u']');
    if (close == std::u16string_view::npos) Fail("A key line must end with \"]\".");
    ExpectEnd(line.substr(close + 1));
    key_.line = LineNumber();
    key_.remove = false;
    values_ = 0;
    std::u16string_view path = line.substr(1, close - 1);
    if (!path.empty() && path.front() == u'-') {
      key_.remove = true;
      path.remove_prefix(1);
    }
    if (path.empty()) Fail("The key line names no key.");
    // The editor skips such a key and every value under it.
    if (IsBlank(path.front())) Fail("The key name must follow \"[\" without a blank.");
    key_.path.assign(path);
  }

  // A quoted text after its opening quote, appended to *text; \\ and \" are
  // the only escapes. The runs between escapes are copied whole.
  void Quoted(std::u16string_view& rest, std::u16string* text) const {
    std::size_t run = 0;
    for (std::size_t i = QuoteOrBackslash(rest, 0); i < rest.size(); i = QuoteOrBackslash(rest, i + 1)) {
      const char16_t c = rest[i];
      if (c == u'"') {
        text->append(rest.substr(run, i - run));
        rest.remove_prefix(i + 1);
        return;
      }
      if (c == u'\\') {
        if (i + 1 == rest.size() || (rest[i + 1] != u'\\' && rest[i + 1] != u'"')) {
          Fail("A backslash in quotes must be followed by \\ or \".");
        }
        text->append(rest.substr(run, i - run));
        run = ++i;  // the escaped character starts the next run
      }
    }
    Fail("A quoted text has no closing quote.");
  }

  void ValueLine(std::u16string_view line, RegFileValue& value) {
    std::u16string_view rest = line.substr(1);
    if (line.front() == u'"') Quoted(rest, &value.name);
    rest = TrimLeft(rest);
    if (rest.empty() || rest.front() != u'=') Fail("The value name must be followed by \"=\".");
    rest = TrimLeft(rest.substr(1));

    if (!rest.empty() && rest.front() == u'"') {
      rest.remove_prefix(1);
      Quoted(rest, &value.text);
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
    while (NextLine()) {
      RefuseZero();
      const std::u16string_view line = TrimLeft(line_);
      if (line.empty() || line.front() == u';') continue;
      if (!IsHexDigit(line.front())) Fail("The hex value of the line before must go on here with its next byte.");
      *rest = line;
      return true;
    }
    return false;
  }

  std::u16string_view text_;
  std::span<const std::uint8_t> utf16_;
  bool decode_ = false;    // read utf16_, not text_
  std::size_t size_;       // in characters
  std::u16string lineBuffer_;
  std::size_t next_ = 0;   // where the line after line_ starts
  std::u16string_view line_;
  bool lineHasZero_ = false;
  std::size_t lines_ = 0;  // read so far, line_ included
  RegFileKey key_;
  std::size_t values_ = 0;  // of key_.values, those of the current key
};

[[noreturn]] void RefuseLineBreak() {
  throw std::invalid_argument("a registry file cannot hold a line break or a zero in a text");
}

// What stands on one line of the file: no line break, no zero.
void RequireOneLine(std::u16string_view text) {
  if (text.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string_view::npos) RefuseLineBreak();
}

}  // namespace

void ReadRegFileKeys(std::span<const std::uint8_t> bytes, TextCodec& codec,
                     const std::function<void(RegFileKey&)>& onKey) {
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    Reader(bytes.subspan(2)).Read(bytes.size() % 2 != 0, onKey);
    return;
  }
  // UTF-8 with its byte-order mark, or any file that is valid UTF-8 (as
  // Notepad saves by default); the system code page otherwise.
  std::u16string text;
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
  Reader(std::u16string_view(text)).Read(false, onKey);
}

RegFile ReadRegFile(std::span<const std::uint8_t> bytes, TextCodec& codec) {
  RegFile file;
  ReadRegFileKeys(bytes, codec, [&file](RegFileKey& key) { file.keys.push_back(std::move(key)); });
  return file;
}

std::vector<std::uint8_t> WriteRegFile(const RegFile& file) {
  // Room for every character and the syntax around it; escapes are rare.
  std::size_t chars = 0;
  for (const RegFileKey& key : file.keys) {
    chars += key.path.size() + 6;
    for (const RegFileValue& value : key.values) chars += value.name.size() + value.text.size() + 24;
  }
  RegFileWriter out(file.comments, chars);
  for (const RegFileKey& key : file.keys) {
    out.Key(key.path);
    for (const RegFileValue& value : key.values) {
      if (value.data == RegData::Text) {
        out.Text(value.name, value.text);
      } else if (value.data == RegData::Number) {
        out.Number(value.name, value.number);
      } else {
        RequireOneLine(value.name);
        throw std::invalid_argument("only text and number values are written");
      }
    }
  }
  return out.Finish();
}

// The bytes go straight into one buffer, reserved up front and grown by
// doubling: an export of thousands of devices is tens of megabytes.
RegFileWriter::RegFileWriter(const std::vector<std::u16string>& comments, std::size_t chars) {
  chars += kUnicodeHeader.size() + 4;
  for (const std::u16string& comment : comments) chars += comment.size() + 4;
  bytes_.resize(2 + 2 * chars);
  Put(u"\uFEFF");
  Put(kUnicodeHeader);
  Put(u"\r\n");
  for (const std::u16string& comment : comments) {
    Put(u"; ");
    Line(comment);
    Put(u"\r\n");
  }
}

void RegFileWriter::Key(std::u16string_view path) {
  Put(u"\r\n[");
  Line(path);
  Put(u"]\r\n");
}

void RegFileWriter::Text(std::u16string_view name, std::u16string_view text) {
  Name(name);
  Quoted(text);
  Put(u"\r\n");
}

void RegFileWriter::Number(std::u16string_view name, std::uint32_t number) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  Name(name);
  Put(u"dword:");
  std::uint8_t* at = Room(8);
  for (int shift = 28; shift >= 0; shift -= 4) at = Char(at, kDigits[(number >> shift) & 0xF]);
  used_ = static_cast<std::size_t>(at - bytes_.data());
  Put(u"\r\n");
}

std::vector<std::uint8_t> RegFileWriter::Finish() {
  Put(u"\r\n");
  bytes_.resize(used_);
  return std::move(bytes_);
}

std::uint8_t* RegFileWriter::Room(std::size_t chars) {
  if (used_ + 2 * chars > bytes_.size()) bytes_.resize(std::max(2 * bytes_.size(), used_ + 2 * chars));
  return bytes_.data() + used_;
}

// Each character goes through a local pointer, which the compiler can keep
// in a register: a store through a member would be read back after every
// byte, as a byte store may change any object.
std::uint8_t* RegFileWriter::Char(std::uint8_t* at, char16_t c) {
  at[0] = static_cast<std::uint8_t>(c);
  at[1] = static_cast<std::uint8_t>(c >> 8);
  return at + 2;
}

void RegFileWriter::Put(std::u16string_view text) {
  std::uint8_t* at = Room(text.size());
  for (char16_t c : text) at = Char(at, c);
  used_ = static_cast<std::size_t>(at - bytes_.data());
}

void RegFileWriter::Line(std::u16string_view text) {
  RequireOneLine(text);
  Put(text);
}

void RegFileWriter::Name(std::u16string_view name) {
  if (name.empty()) {
    Put(u"@=");
  } else {
    Quoted(name);
    Put(u"=");
  }
}

// A name or a text between quotes; RequireOneLine on the way.
void RegFileWriter::Quoted(std::u16string_view text) {
  std::uint8_t* at = Room(2 * text.size() + 2);
  at = Char(at, u'"');
  for (char16_t c : text) {
    if (c == u'\\' || c == u'"') {
      at = Char(at, u'\\');
    } else if (c == u'\r' || c == u'\n' || c == 0) {
      RefuseLineBreak();
    }
    at = Char(at, c);
  }
  used_ = static_cast<std::size_t>(Char(at, u'"') - bytes_.data());
}

}  // namespace vantrel
