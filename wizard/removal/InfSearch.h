// Which driver-store INF file belongs to a model: the one whose text names
// the model's data file (for example "VEXO_80.DAT").
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "wizard/engine/platform/CodePage.h"
#include "wizard/engine/platform/CrtFiles.h"

namespace quispor::removal {

// A byte string to look for, with the byte the search runs to first (memchr):
// the one of its bytes least common in the text of INF files, so that the
// search stops rarely and skips the rest of the text at memchr's speed.
struct Needle {
  explicit Needle(std::string_view bytes);
  std::string bytes;
  std::size_t anchor = 0;  // index into bytes
};

// A name looked for in a file's bytes in both its forms: anywhere as narrow
// (ANSI) text, or as UTF-16LE bytes at an even offset, where the UTF-16
// characters of a file begin. An empty form matches nothing. When the wide
// form's low bytes are the narrow bytes (an ASCII name), one pass over the
// text serves both.
class NameSearch {
 public:
  NameSearch(std::string_view narrow, std::string_view wide);
  bool In(std::string_view text) const;

 private:
  Needle narrow_;
  Needle wide_;
  bool onePass_ = false;
};

bool ContainsName(std::string_view text, std::string_view narrow, std::string_view wide);

// Looks for one model's data file name in INF files, one file after the
// other: each file is read once, whole, into a buffer kept from file to file,
// and both forms of the name are looked for in it.
class InfReader {
 public:
  InfReader(platform::CrtFiles& files, platform::CodePage& codePage, int32_t modelIndex);
  // Looks for the data file names of every catalogue model at once.
  struct AllModels {};
  InfReader(platform::CrtFiles& files, platform::CodePage& codePage, AllModels);
  InfReader(const InfReader&) = delete;
  InfReader& operator=(const InfReader&) = delete;

  // 1 when the file at path (wide, converted to the ANSI code page to open
  // it) contains the data file name of the model (of any, for AllModels),
  // else 0. The file is read
  // in binary and only for reading, so a read-only INF counts, and the name
  // is looked for both as ANSI text and as UTF-16LE text. Case counts. A
  // file that cannot be opened, sized or read whole, or an unknown model,
  // gives 0.
  int Contains(const char16_t* path);

 private:
  bool ReadWhole(const std::string& path, std::size_t* size);

  void Add(int32_t modelIndex);

  platform::CrtFiles& files_;
  platform::CodePage& codePage_;
  std::vector<NameSearch> searches_;  // none for an unknown model
  std::vector<char> buffer_;  // never shrinks; a file uses its first bytes
};

// One file, with a reader of its own.
int InfContainsModel(platform::CrtFiles& files, platform::CodePage& codePage, const char16_t* path,
                     int32_t modelIndex);

}  // namespace quispor::removal
