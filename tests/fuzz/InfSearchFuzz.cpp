// INF file content as the fuzzer makes it; the first byte picks the model
// (including indexes outside the catalogue). The search must match exactly
// when the model's data file name is in the content as ANSI text or as
// UTF-16LE text at an even offset, and the search for all models at once
// when one model's does. The one-pass searcher is also held against a plain
// search for names the fuzzer chooses.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/fakes/wizard/FakeCodePage.h"
#include "tests/fakes/wizard/FakeCrtFiles.h"
#include "wizard/engine/ModelCatalogue.h"
#include "wizard/removal/InfSearch.h"

namespace {

bool PlainSearch(std::string_view text, std::string_view narrow, std::string_view wide) {
  if (!narrow.empty() && text.find(narrow) != std::string_view::npos) return true;
  if (wide.empty()) return false;
  for (std::size_t at = text.find(wide); at != std::string_view::npos; at = text.find(wide, at + 1)) {
    if (at % 2 == 0) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  kit::fakes::FakeCrtFiles files;
  kit::fakes::FakeCodePage codePage;
  const int32_t model = static_cast<int32_t>(data[0] % 6) - 1;
  const std::string content(reinterpret_cast<const char*>(data) + 1, size - 1);
  files.File("C:\\Windows\\inf\\oem1.inf").bytes = content;
  const int found = quispor::removal::InfContainsModel(files, codePage, u"C:\\Windows\\inf\\oem1.inf", model);
  if (found != 0 && found != 1) std::abort();
  if (files.OpenStreams() != 0) std::abort();
  const bool known = model >= 0 && model < quispor::modelCount;
  if (found == 1 && !known) std::abort();
  if (known) {
    const std::u16string name = quispor::ModelCatalogue[model].driverFiles[2];
    std::string ansi;
    std::string wide;
    for (char16_t c : name) {
      ansi += static_cast<char>(c);
      wide += static_cast<char>(c);
      wide += '\0';
    }
    if ((found == 1) != PlainSearch(content, ansi, wide)) std::abort();
  }
  // The search for every model's name at once finds what one of the single
  // searches finds.
  bool any = false;
  for (int32_t m = 0; m < quispor::modelCount; ++m) {
    any = any || quispor::removal::InfContainsModel(files, codePage, u"C:\\Windows\\inf\\oem1.inf", m) == 1;
  }
  quispor::removal::InfReader all(files, codePage, quispor::removal::InfReader::AllModels{});
  if ((all.Contains(u"C:\\Windows\\inf\\oem1.inf") == 1) != any) std::abort();

  // Names of the fuzzer's own: the first byte after the model byte gives the
  // narrow name's length, the wide name is its UTF-16LE form, the rest is text.
  if (content.empty()) return 0;
  const std::size_t length = static_cast<uint8_t>(content[0]) % 16;
  if (content.size() < 1 + length) return 0;
  const std::string narrow = content.substr(1, length);
  std::string wide;
  for (char c : narrow) {
    wide += c;
    wide += '\0';
  }
  const std::string_view text = std::string_view(content).substr(1 + length);
  if (quispor::removal::ContainsName(text, narrow, wide) != PlainSearch(text, narrow, wide)) std::abort();
  if (quispor::removal::ContainsName(text, narrow, "") != PlainSearch(text, narrow, "")) std::abort();
  if (quispor::removal::ContainsName(text, "", wide) != PlainSearch(text, "", wide)) std::abort();
  return 0;
}
