// config.ini content as the fuzzer makes it; the first byte chooses whether
// the code page knows a double-byte character (so multi-byte sequences and
// their cutting are reached).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/fakes/wizard/FakeCodePage.h"
#include "tests/fakes/wizard/FakeCrtFiles.h"
#include "tests/fakes/wizard/FakeSystemInfo.h"
#include "wizard/ui/text/ConfigCaption.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  kit::fakes::FakeSystemInfo system;
  kit::fakes::FakeCrtFiles files;
  kit::fakes::FakeCodePage codePage;
  system.moduleFileName = u"C:\\Kit\\Quispor.exe";
  if (data[0] & 1) codePage.extra[u'\u6253'] = "\xB4\xF2";
  if (data[0] & 2) {
    // A character outside the BMP: four bytes of GB18030 for a surrogate pair.
    codePage.extra[u'\xD83D'] = "\x95\x32";
    codePage.extra[u'\xDDA8'] = "\x82\x36";
  }
  files.File("C:\\Kit\\config.ini").bytes.assign(reinterpret_cast<const char*>(data) + 1, size - 1);

  constexpr char16_t kGuard = 0xBEEF;
  char16_t title[quispor::kCaptionCapacity + 8];
  std::fill(std::begin(title), std::end(title), kGuard);
  title[0] = u'\0';
  quispor::LoadConfigCaption(system, files, codePage, title);
  for (std::size_t i = quispor::kCaptionCapacity; i < std::size(title); ++i) {
    if (title[i] != kGuard) std::abort();  // written beyond the title
  }
  if (std::find(title, title + quispor::kCaptionCapacity, u'\0') == title + quispor::kCaptionCapacity) {
    std::abort();  // not terminated
  }
  if (files.OpenStreams() != 0) std::abort();
  return 0;
}
