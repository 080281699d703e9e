// The window title from config.ini beside the program: the text after the
// first "Caption=" in the file.
#pragma once

#include <cstddef>

#include "wizard/engine/platform/CodePage.h"
#include "wizard/engine/platform/CrtFiles.h"
#include "wizard/engine/platform/SystemInfo.h"

namespace quispor {

inline constexpr std::size_t kCaptionCapacity = 260;  // title buffer: 259 + terminator

// Fills title (260 wide characters, emptied by the caller) with the caption
// of config.ini, at most 259 characters; leaves it empty when there is no
// usable caption. Never writes beyond the 260 characters.
void LoadConfigCaption(platform::SystemInfo& system, platform::CrtFiles& files,
                       platform::CodePage& codePage, char16_t* title);

// The same on the process's own services (Win32 in the program).
void LoadConfigCaption(char16_t* title);

}  // namespace quispor
