#include "wizard/engine/win32/Win32Platform.h"

#include "wizard/engine/win32/Win32CodePage.h"
#include "wizard/engine/win32/Win32CrtFiles.h"
#include "wizard/engine/win32/Win32DeviceSetup.h"
#include "wizard/engine/win32/Win32FileCopy.h"
#include "wizard/engine/win32/Win32FileSearch.h"
#include "wizard/engine/win32/Win32Processes.h"
#include "wizard/engine/win32/Win32Registry.h"
#include "wizard/engine/win32/Win32ServiceManager.h"
#include "wizard/engine/win32/Win32Spooler.h"
#include "wizard/engine/win32/Win32SystemInfo.h"
#include "wizard/engine/win32/Win32UserMessages.h"

namespace quispor {
namespace win32 {
namespace {

struct Win32Services {
  Win32Spooler spooler;
  Win32Registry registry;
  Win32SystemInfo systemInfo;
  Win32CrtFiles files;
  Win32CodePage codePage;
  Win32FileCopy fileCopy;
  Win32DeviceSetup deviceSetup;
  Win32UserMessages userMessages;
  Win32ServiceManager serviceManager;
  Win32FileSearch fileSearch;
  Win32Processes processes;
  platform::Platform platform{spooler,     registry,     systemInfo,     files,      codePage, fileCopy,
                              deviceSetup, userMessages, serviceManager, fileSearch, processes};
};

Win32Services& Services() {
  // Never destroyed: lines may still be logged while statics are torn down.
  static Win32Services* services = new Win32Services;
  return *services;
}

}  // namespace

platform::Platform& SystemPlatform() { return Services().platform; }

}  // namespace win32

namespace platform {

CrtFiles& ProcessFiles() { return win32::Services().files; }
CodePage& ProcessCodePage() { return win32::Services().codePage; }
SystemInfo& ProcessSystemInfo() { return win32::Services().systemInfo; }

}  // namespace platform
}  // namespace quispor
