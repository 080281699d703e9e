// The set of platform services the wizard's engine runs on. The program gets
// the Win32 set from quispor::win32::SystemPlatform(); tests build one from
// fakes.
#pragma once

#include "wizard/engine/platform/CodePage.h"
#include "wizard/engine/platform/CrtFiles.h"
#include "wizard/engine/platform/DeviceSetup.h"
#include "wizard/engine/platform/FileCopy.h"
#include "wizard/engine/platform/FileSearch.h"
#include "wizard/engine/platform/Processes.h"
#include "wizard/engine/platform/Registry.h"
#include "wizard/engine/platform/ServiceManager.h"
#include "wizard/engine/platform/Spooler.h"
#include "wizard/engine/platform/SystemInfo.h"
#include "wizard/engine/platform/UserMessages.h"

namespace quispor::platform {

struct Platform {
  Spooler& spooler;
  Registry& registry;
  SystemInfo& systemInfo;
  CrtFiles& files;
  CodePage& codePage;
  FileCopy& fileCopy;          // installation: driver files
  DeviceSetup& deviceSetup;    // USB port search, re-enumeration
  UserMessages& userMessages;  // TCP/IP port creation boxes
  ServiceManager& serviceManager;  // removal: spooler restart
  FileSearch& fileSearch;          // removal: driver-store INF search
  Processes& processes;            // removal: cmd.exe running pnputil
};

// The process-wide services behind the calls that take no platform argument
// (WriteDebugLog, GetPoLanguage, the one-argument LoadConfigCaption): Win32
// in the Windows trees; inert stand-ins in the host tree (no flag file, no
// program path, language 0x0409), where tests bind fakes instead.
CrtFiles& ProcessFiles();
CodePage& ProcessCodePage();
SystemInfo& ProcessSystemInfo();

}  // namespace quispor::platform
