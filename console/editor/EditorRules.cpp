#include "console/editor/EditorRules.h"

#include <limits>

namespace vantrel {

std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return fallback;
  // Accumulated as a negative number so that the most negative value fits.
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return fallback;
    value = value * 10 + (c - '0');
    if (value > kMax + 1) return fallback;
  }
  if (negative) value = -value;
  if (value < kMin || value > kMax) return fallback;
  return static_cast<std::int32_t>(value);
}

PageState PageStep(int index) {
  PageState state;
  if (index >= 0 && index <= 2) {
    state.activePage = index;
    state.tabVisible[static_cast<std::size_t>(index)] = true;
  }
  return state;
}

std::string ErrorDisplayText(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

std::string ProgramTitleFromPath(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/:");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name);
}

MessageBoxRequest ErrorDisplayBox(const std::string& message, const std::string& programTitle) {
  return MessageBoxRequest{ErrorDisplayText(message), programTitle, kMbOk | kMbIconStop};
}

std::string FormatWith(std::string_view format, std::string_view arg) {
  std::string text(format);
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, arg);
  return text;
}

}  // namespace vantrel
