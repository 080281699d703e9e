// The console's error display: a stop box with the error text (a "." added
// by the usual rule), captioned with the program's title. Window handlers
// and the USB watcher's hidden window send their errors here.
#pragma once

#include <windows.h>

#include <string>

namespace vantrel::win32 {

// The program file's name without folder and extension ("Vantrel").
std::string ProgramTitle();

void ShowErrorDisplay(HWND owner, const std::string& message);

}  // namespace vantrel::win32
