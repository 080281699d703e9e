// INF file content as the fuzzer makes it; the first byte picks the model
// (including indexes outside the catalogue).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/fakes/wizard/FakeCodePage.h"
#include "tests/fakes/wizard/FakeCrtFiles.h"
#include "wizard/engine/ModelCatalogue.h"
#include "wizard/removal/InfSearch.h"

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
  // A match must be backed by the name in the content, as ANSI or UTF-16LE.
  if (found == 1) {
    if (model < 0 || model >= quispor::modelCount) std::abort();
    const std::u16string name = quispor::ModelCatalogue[model].driverFiles[2];
    std::string ansi;
    std::string wide;
    for (char16_t c : name) {
      ansi += static_cast<char>(c);
      wide += static_cast<char>(c);
      wide += '\0';
    }
    if (content.find(ansi) == std::string::npos && content.find(wide) == std::string::npos) std::abort();
  }
  return 0;
}
