// Removal of a model's driver package from the driver store: find the
// oemN.inf that names the model's data file and have pnputil delete it.
#pragma once

#include <cstdint>

#include "wizard/removal/RemovalServices.h"
#include "wizard/shared/SequenceReport.h"

namespace quispor::removal {

inline constexpr int kPackageNameCapacity = 260;

// Has the system folder's pnputil delete the package by force, through the
// system folder's cmd.exe (/D) in the system folder. 1 when the command was
// run (whatever pnputil made of it), 0 when no package was found or no
// command processor could be started. A package found is reported as a step
// when steps is given (1627 when its command could not be run).
int DeleteMyInfFile(RemovalServices& services, int32_t modelIndex, SequenceReport* steps = nullptr);

// 1 and the package's file name (no folder) in packageName (260 wide
// characters) for the first oem*.inf of the INF folder, in search order,
// that names the model's data file; else 0. Only plain file names (letters,
// digits, '.', '_', '-') are considered, as the name goes into a command line.
int GetMyOemInfFile(RemovalServices& services, char16_t* packageName, int32_t modelIndex);

// Runs "cmd /D /C " + command with the command processor at applicationPath
// in a hidden window, in currentDirectory, and waits for it to end. 1 when it
// was started and has ended, 0 when it could not be started. Exit codes are
// not looked at.
int ExecuteCmdByProcess(platform::Processes& processes, const char16_t* applicationPath, const char16_t* command,
                        const char16_t* currentDirectory);

}  // namespace quispor::removal
