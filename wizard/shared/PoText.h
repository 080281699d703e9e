// The wizard's texts in English and Simplified Chinese, looked up by their
// "PO_" key. One language serves the whole run, chosen at the first lookup
// from the system's default language.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace quispor {

inline constexpr int kPoLanguageCount = 5;  // text slots per row; 2 to 4 stay empty
inline constexpr int kPoEnglish = 0;
inline constexpr int kPoChinese = 1;
inline constexpr uint16_t kLangChinesePrc = 0x0804;
inline constexpr std::size_t kPoTextRows = 40;
inline constexpr std::size_t kPoTextCapacity = 260;  // CopyPoText buffers: 259 + terminator

struct PoTextEntry {
  const char* key;                          // ASCII, unique in the table
  const char16_t* texts[kPoLanguageCount];  // by language index; empty slots are u""
};

extern const PoTextEntry PoTextTable[kPoTextRows];

// 0 English, 1 Chinese. Decided at the first call (1 only for the language
// id 0x0804) and kept for the rest of the run.
int GetPoLanguage();

// The text of key in the run's language (a pointer into the table, valid for
// the whole run), or null when no row has that key. Keys compare as byte
// strings, case-sensitively.
const char16_t* GetPoText(const char* key);

// The same, with an empty text for a key no row has: every key the wizard
// uses is in the table, and an empty text keeps a missing one harmless.
const char16_t* PoTextOrEmpty(const char* key);

// Copies the text of key into buffer (260 wide characters, terminator
// included) and returns buffer; for an unknown key returns null and leaves
// buffer untouched.
char16_t* CopyPoText(const char* key, char16_t* buffer);

// Where the language id comes from. By default the system's default language
// (GetSystemDefaultLangID on Windows, 0x0409 in the host tree); tests set
// their own. An empty function restores the default. Does not reset an
// already made decision.
void SetLanguageIdSource(std::function<uint16_t()> source);

// Forgets the decision, so the next lookup asks the source again.
void ResetPoLanguageForTest();

}  // namespace quispor
