#include "wizard/ui/text/ConfigCaption.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "wizard/engine/platform/Platform.h"

namespace quispor {
namespace {

constexpr uint32_t kPathCapacity = 260;
constexpr uint32_t kMaxPathChars = 259;
constexpr char kConfigName[] = "config.ini";
constexpr char kCaptionKey[] = "Caption=";
constexpr int kMaxTrailingBreaks = 4;

// "<program folder>\config.ini", or false when the program path or the
// result would not fit in 259 characters: a cut path would name some other
// file.
bool BuildConfigPath(platform::SystemInfo& system, char (&path)[kPathCapacity]) {
  std::memset(path, 0, sizeof path);
  const uint32_t length = system.GetModuleFileNameA(nullptr, path, kMaxPathChars);
  if (length == 0 || length >= kMaxPathChars) {
    return false;
  }
  char* lastBackslash = std::strrchr(path, '\\');
  if (lastBackslash == nullptr) {
    return false;
  }
  const std::size_t folderLength = static_cast<std::size_t>(lastBackslash - path) + 1;
  if (folderLength + (sizeof kConfigName - 1) > kMaxPathChars) {
    return false;
  }
  std::memcpy(path + folderLength, kConfigName, sizeof kConfigName);
  return true;
}

// The whole file plus one zero byte, or empty when it cannot be read whole
// (an empty file included).
std::unique_ptr<char[]> ReadWholeFile(platform::CrtFiles& files, platform::FileHandle file) {
  if (files.fseek(file, 0, platform::kSeekEnd) != 0) {
    return nullptr;
  }
  const int32_t size = files.ftell(file);
  if (size <= 0 || files.fseek(file, 0, platform::kSeekSet) != 0) {
    return nullptr;
  }
  std::unique_ptr<char[]> content(new (std::nothrow) char[static_cast<std::size_t>(size) + 1]());
  if (!content) {
    return nullptr;
  }
  const std::size_t wanted = static_cast<std::size_t>(size);
  if (files.fread(content.get(), 1, wanted, file) != wanted) {
    return nullptr;
  }
  return content;
}

bool IsLineBreakOrTab(char c) { return c == '\r' || c == '\n' || c == '\t'; }

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Converts caption into title, cut to 259 characters (never inside a
// surrogate pair) and terminated; empty when the conversion fails.
void ConvertCaption(platform::CodePage& codePage, const char* caption, int length, char16_t* title) {
  title[0] = u'\0';
  const int needed = codePage.MultiByteToWideChar(platform::kCpAcp, 0, caption, length, nullptr, 0);
  if (needed <= 0) {
    return;
  }
  if (needed <= static_cast<int>(kMaxPathChars)) {
    const int written =
        codePage.MultiByteToWideChar(platform::kCpAcp, 0, caption, length, title, static_cast<int>(kMaxPathChars));
    title[written > 0 && written <= static_cast<int>(kMaxPathChars) ? written : 0] = u'\0';
    return;
  }
  std::vector<char16_t> whole(static_cast<std::size_t>(needed));
  const int written = codePage.MultiByteToWideChar(platform::kCpAcp, 0, caption, length, whole.data(), needed);
  if (written <= 0) {
    return;
  }
  std::size_t kept = std::min<std::size_t>(static_cast<std::size_t>(written), kMaxPathChars);
  if (kept < static_cast<std::size_t>(written) && IsHighSurrogate(whole[kept - 1])) {
    --kept;
  }
  std::memcpy(title, whole.data(), kept * sizeof(char16_t));
  title[kept] = u'\0';
}

}  // namespace

void LoadConfigCaption(platform::SystemInfo& system, platform::CrtFiles& files, platform::CodePage& codePage,
                       char16_t* title) {
  if (title == nullptr) {
    return;
  }
  char path[kPathCapacity];
  if (!BuildConfigPath(system, path)) {
    return;
  }
  platform::CrtFile file(files, files.fopen(path, "rb"));
  if (!file) {
    return;
  }
  std::unique_ptr<char[]> content = ReadWholeFile(files, file.get());
  if (!content) {
    return;
  }
  const char* found = std::strstr(content.get(), kCaptionKey);
  if (found == nullptr) {
    return;
  }
  const char* caption = found + (sizeof kCaptionKey - 1);
  std::size_t length = std::strlen(caption);
  for (int i = 0; i < kMaxTrailingBreaks && length > 0 && IsLineBreakOrTab(caption[length - 1]); ++i) {
    --length;
  }
  if (length == 0) {
    return;
  }
  // A config.ini is small; a caption that does not fit an int is no title.
  if (length > static_cast<std::size_t>(INT32_MAX)) {
    return;
  }
  ConvertCaption(codePage, caption, static_cast<int>(length), title);
}

void LoadConfigCaption(char16_t* title) {
  LoadConfigCaption(platform::ProcessSystemInfo(), platform::ProcessFiles(), platform::ProcessCodePage(), title);
}

}  // namespace quispor
