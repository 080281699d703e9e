// Vantrel.exe: COM in the single-threaded apartment on the user-interface
// thread, then the main window and its message loop. Nothing is saved on exit.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "console/win32/ConsoleComponents.h"
#include "console/win32/RegistryApiWin32.h"
#include "console/win32/uMain.h"
#include "trust/win32/SystemLibrary.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  // The console runs elevated: no library loaded by name from here on may
  // come from its folder or the current one.
  kit::trust::win32::LoadLibrariesFromTheSystemDirectoryOnly();
  const HRESULT ole = OleInitialize(nullptr);

  INITCOMMONCONTROLSEX controls = {sizeof controls,
                                   ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  int exitCode = 0;
  {
    vantrel::win32::RegistryApiWin32 registry;
    vantrel::win32::TMainFM form(instance, registry);
    // Before Create(), which runs FormCreate.
    vantrel::win32::ConnectConsoleComponents(form);
    if (!form.Create()) {
      exitCode = 1;
    } else {
      ShowWindow(form.hwnd(), show);
      UpdateWindow(form.hwnd());
      MSG msg;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (form.hwnd() && IsDialogMessageA(form.hwnd(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      exitCode = static_cast<int>(msg.wParam);
    }
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  return exitCode;
}
