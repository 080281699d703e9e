// The engine's one trace call. Lines go to C:\My_Debug_Driver_Log.txt only
// while the flag file C:\Nimbel_Driver_Debug_Flag.txt exists; otherwise
// nothing happens. The log never reports back and never changes the
// caller's flow, but it does change the thread's last error: take an error
// code before logging it.
#pragma once

#include "wizard/engine/platform/CodePage.h"
#include "wizard/engine/platform/CrtFiles.h"

namespace quispor {

inline constexpr const char* kDebugFlagPath = "C:\\Nimbel_Driver_Debug_Flag.txt";
inline constexpr const char* kDebugLogPath = "C:\\My_Debug_Driver_Log.txt";

// Appends text (a finished wide line, NUL-terminated) and a line end, on the
// process-wide log services.
void WriteDebugLog(const char16_t* text);

// The same on the given services.
void WriteDebugLog(platform::CodePage& codePage, platform::CrtFiles& files, const char16_t* text);

// Makes the one-argument WriteDebugLog use these services (tests); the
// objects must outlive the binding.
void BindDebugLog(platform::CodePage& codePage, platform::CrtFiles& files);
// Back to the process's own services.
void UnbindDebugLog();

}  // namespace quispor
