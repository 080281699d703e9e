// Removal of the maker's driver packages from the driver store: find the
// oemN.inf files that name a model's data file and have pnputil delete them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wizard/removal/RemovalServices.h"
#include "wizard/shared/SequenceReport.h"

namespace quispor::removal {

inline constexpr int kPackageNameCapacity = 260;
inline constexpr uint32_t kErrorFunctionFailed = 1627;  // ERROR_FUNCTION_FAILED

// Has the system folder's pnputil delete the package (an oemN.inf name) by
// force, through the system folder's cmd.exe (/D) in the system folder, and
// reads pnputil's exit code (cmd's), which is logged with the system's text
// for it and reported as a step when steps is given. That code: 0, 3010 when
// the deletion completes at the next restart (StepSucceeded), pnputil's code
// of a failure, or 1627 when no command processor could be started.
uint32_t DeleteDriverPackage(RemovalServices& services, const char16_t* packageName, SequenceReport* steps = nullptr);

// The package of the model that GetMyOemInfFile finds, deleted by
// DeleteDriverPackage: its code, or 0 when no package was found. The
// package's name goes to *found when one was found and found is given.
uint32_t DeleteMyInfFile(RemovalServices& services, int32_t modelIndex, SequenceReport* steps = nullptr,
                         std::u16string* found = nullptr);

// 1 and the package's file name (no folder) in packageName (260 wide
// characters) for the first oem*.inf of the INF folder, in search order,
// that names the model's data file; else 0. Only plain file names (letters,
// digits, '.', '_', '-') are considered, as the name goes into a command line.
int GetMyOemInfFile(RemovalServices& services, char16_t* packageName, int32_t modelIndex);

// Every oem*.inf of the INF folder, in search order, that names the data
// file of any model, with the names GetMyOemInfFile considers. None when the
// folder cannot be searched (logged).
std::vector<std::u16string> FindMakerPackages(RemovalServices& services);

// Runs "cmd /D /C " + command with the command processor at applicationPath
// in a hidden window, in currentDirectory, and waits for it to end. 1 when it
// was started and has ended, and then its exit code in *exitCode when
// exitCode is given (the error code when the exit code cannot be read); 0
// when it could not be started.
int ExecuteCmdByProcess(platform::Processes& processes, const char16_t* applicationPath, const char16_t* command,
                        const char16_t* currentDirectory, uint32_t* exitCode = nullptr);

}  // namespace quispor::removal
