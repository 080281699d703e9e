// Registry files as the system's registry editor and "reg import" read them:
// the header "Windows Registry Editor Version 5.00" or "REGEDIT4", in UTF-16LE
// after its byte-order mark, in UTF-8 (with a byte-order mark, or valid UTF-8
// throughout, as Notepad saves) or else in the system code page. The reader
// takes every file the editor imports whole and refuses, naming the line,
// what the editor would skip or drop without a word (comment lines aside);
// the writer writes text and number values only, which is all a device
// profile holds.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "console/transfer/TextCodec.h"

namespace vantrel {

enum class RegData {
  Text,    // "..."       REG_SZ
  Number,  // dword:...   REG_DWORD
  Hex,     // hex:... or hex(n):...; type says which
  Delete,  // =-          deletes the value
};

struct RegFileValue {
  int line = 0;
  std::u16string name;  // empty: the default value, written "@"
  RegData data = RegData::Text;
  std::uint32_t type = 1;
  std::u16string text;
  std::uint32_t number = 0;
};

struct RegFileKey {
  int line = 0;
  std::u16string path;  // as written between the brackets
  bool remove = false;  // [-path]
  std::vector<RegFileValue> values;
};

struct RegFile {
  std::vector<std::u16string> comments;  // written after the header; not read back
  std::vector<RegFileKey> keys;
};

// A file the reader refuses: the line (1 for the header) and why.
class RegFileError : public std::runtime_error {
 public:
  RegFileError(int line, const std::string& reason) : std::runtime_error(reason), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

RegFile ReadRegFile(std::span<const std::uint8_t> bytes, TextCodec& codec);
// ReadRegFile one key at a time: each key goes to onKey with its values once
// the next key line or the end of the file is reached, and a refusal is
// thrown when its line is reached, after the keys before it went on. The key
// handed on may be changed or moved from; its room is used for the next.
void ReadRegFileKeys(std::span<const std::uint8_t> bytes, TextCodec& codec,
                     const std::function<void(RegFileKey&)>& onKey);

// Version 5.00 in UTF-16LE with its byte-order mark, CRLF line ends and a
// blank line before each key, as the registry editor exports. Throws
// std::invalid_argument for what the format cannot carry: a line break in a
// name or a text, a value that is neither text nor number.
std::vector<std::uint8_t> WriteRegFile(const RegFile& file);

// WriteRegFile one key and one value at a time, for a writer that does not
// hold the whole file in a RegFile first; the same bytes and refusals.
class RegFileWriter {
 public:
  // chars: room to reserve, in characters; the buffer grows past it.
  RegFileWriter(const std::vector<std::u16string>& comments, std::size_t chars);
  void Key(std::u16string_view path);
  // An empty name is the key's default value.
  void Text(std::u16string_view name, std::u16string_view text);
  void Number(std::u16string_view name, std::uint32_t number);
  std::vector<std::uint8_t> Finish();

 private:
  // Where the next characters go, with room for this many.
  std::uint8_t* Room(std::size_t chars);
  static std::uint8_t* Char(std::uint8_t* at, char16_t c);
  void Put(std::u16string_view text);
  void Line(std::u16string_view text);
  void Name(std::u16string_view name);
  void Quoted(std::u16string_view text);

  std::vector<std::uint8_t> bytes_;
  std::size_t used_ = 0;
};

}  // namespace vantrel
