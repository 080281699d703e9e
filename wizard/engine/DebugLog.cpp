#include "wizard/engine/DebugLog.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "wizard/engine/platform/Platform.h"

namespace quispor {
namespace {

// The size of the conversion buffer every line gets at least; a longer
// narrow form gets a buffer of its own size, so no line is cut.
constexpr std::size_t kMinConversionBuffer = 260;

struct LogBinding {
  platform::CodePage* codePage = nullptr;
  platform::CrtFiles* files = nullptr;
};

LogBinding& Binding() {
  static LogBinding binding;
  return binding;
}

// The narrow form of text in the ANSI code page, terminated; characters the
// code page lacks become its default character. Empty when conversion fails.
std::vector<char> ToNarrow(platform::CodePage& codePage, const char16_t* text) {
  const int needed = codePage.WideCharToMultiByte(platform::kCpAcp, 0, text, -1, nullptr, 0, nullptr, nullptr);
  const std::size_t size = needed > 0 ? static_cast<std::size_t>(needed) + 1 : 0;
  // One zero byte more than the conversion needs stays behind its terminator.
  std::vector<char> narrow(std::max(kMinConversionBuffer, size), '\0');
  if (needed > 0) {
    const int written = codePage.WideCharToMultiByte(platform::kCpAcp, 0, text, -1, narrow.data(),
                                                     static_cast<int>(narrow.size() - 1), nullptr, nullptr);
    if (written <= 0) {
      narrow.assign(narrow.size(), '\0');
    }
  }
  return narrow;
}

bool FlagFilePresent(platform::CrtFiles& files) {
  platform::CrtFile flag(files, files.fopen(kDebugFlagPath, "rb"));
  return flag.valid();
}

bool WriteLine(platform::CrtFiles& files, platform::FileHandle stream, const char* text, std::size_t length) {
  bool ok = length == 0 || files.fwrite(text, 1, length, stream) == length;
  ok = files.fwrite("\n", 1, 1, stream) == 1 && ok;
  return files.fflush(stream) == 0 && ok;
}

}  // namespace

void WriteDebugLog(platform::CodePage& codePage, platform::CrtFiles& files, const char16_t* text) {
  static const char16_t kEmpty[] = u"";
  const std::vector<char> narrow = ToNarrow(codePage, text != nullptr ? text : kEmpty);
  if (!FlagFilePresent(files)) {
    return;
  }
  std::size_t length = 0;
  while (narrow[length] != '\0') {
    ++length;
  }
  // Each line opens and closes the log afresh, so one failure (a read-only or
  // locked file) does not cost the lines after it; a line that cannot reach
  // the file still goes to standard output.
  platform::CrtFile log(files, files._fsopen(kDebugLogPath, "a", platform::kShDenyNo));
  bool written = false;
  if (log) {
    written = WriteLine(files, log.get(), narrow.data(), length);
    written = files.fclose(log.release()) == 0 && written;
  }
  if (!written) {
    WriteLine(files, files.StandardOutput(), narrow.data(), length);
  }
}

void WriteDebugLog(const char16_t* text) {
  LogBinding& binding = Binding();
  if (binding.codePage != nullptr && binding.files != nullptr) {
    WriteDebugLog(*binding.codePage, *binding.files, text);
  } else {
    WriteDebugLog(platform::ProcessCodePage(), platform::ProcessFiles(), text);
  }
}

void BindDebugLog(platform::CodePage& codePage, platform::CrtFiles& files) {
  Binding() = LogBinding{&codePage, &files};
}

void UnbindDebugLog() { Binding() = LogBinding{}; }

}  // namespace quispor
