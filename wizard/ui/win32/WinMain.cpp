// Quispor.exe: the printer driver installation wizard.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "trust/win32/SystemLibrary.h"
#include "wizard/engine/win32/Win32Platform.h"
#include "wizard/ui/navigation/CommandLine.h"
#include "wizard/ui/pages/WizardIds.h"
#include "wizard/ui/win32/MainDlg.h"
#include "wizard/ui/win32/RunLoop.h"
#include "wizard/unattended/RunLock.h"
#include "wizard/unattended/UnattendedRun.h"
#include "wizard/unattended/win32/ProcessArguments.h"
#include "wizard/unattended/win32/Win32RunFiles.h"
#include "wizard/unattended/win32/Win32RunSession.h"

namespace {

// The rich edit classes of the Ethernet and finish pages, from the system
// directory only (a planted RICHED20.DLL beside a download must not load).
// The module stays loaded for the whole run.
void LoadRichEditLibrary() { kit::trust::win32::SystemLibrary(L"RICHED20.DLL").release(); }

bool CommandLineAsksForUninstall() {
  const wchar_t* line = GetCommandLineW();
  const std::u16string_view text(reinterpret_cast<const char16_t*>(line), line != nullptr ? wcslen(line) : 0);
  return quispor::HasUninstallFlag(quispor::CommandTail(text));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  // The wizard runs elevated, often from a download folder, a USB stick or a
  // share: no library loaded by name from here on (the spooler's client and
  // its monitors among them) may come from the program's folder.
  kit::trust::win32::LoadLibrariesFromTheSystemDirectoryOnly();

  namespace unattended = quispor::unattended;
  const unattended::UnattendedCommand command = unattended::ParseCommandLine(unattended::win32::ProcessArguments());
  if (command.mode != unattended::RunMode::Interactive) {
    // A deployment engine's run: no window, an exit code it can act on.
    unattended::UnattendedServices services{quispor::win32::SystemPlatform(), unattended::win32::SystemRunFiles(),
                                            unattended::win32::SystemRunSession()};
    return static_cast<int>(unattended::RunUnattended(services, command, unattended::win32::ProcessCommandLine()));
  }
  // Held while the wizard is open, so that no quiet run works beside it.
  const unattended::RunLock lock(unattended::win32::SystemRunSession());

  CoInitialize(nullptr);

  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);

  LoadRichEditLibrary();

  const bool uninstallFlag = CommandLineAsksForUninstall();

  quispor::win32::RunLoop loop;
  loop.Register();
  quispor::win32::CMainDlg host(quispor::win32::SystemPlatform(), uninstallFlag);
  HWND window = host.Create(instance, IDD_MAIN, nullptr);
  if (window == nullptr) {
    loop.Unregister();
    CoUninitialize();
    return 0;
  }
  ShowWindow(window, showCommand);
  const int exitCode = loop.Run();

  loop.Unregister();
  CoUninitialize();
  return exitCode;
}
