// Driver and printer installation: copy the model's driver files into the
// spooler's driver directory, register the driver unless a driver of that
// name is installed, create the printer (numbering its name when the name is
// taken) and make it the default printer; then the one-line outcome.
#pragma once

#include <cstddef>
#include <cstdint>

#include "wizard/engine/install/InstallRequest.h"
#include "wizard/engine/platform/FileCopy.h"
#include "wizard/engine/platform/Spooler.h"
#include "wizard/engine/platform/SystemInfo.h"
#include "wizard/shared/SequenceReport.h"

namespace quispor {

inline constexpr int kPrinterNumberLimit = 127;     // VEXO_80(1) ... VEXO_80(127)
inline constexpr std::size_t kOutcomeCapacity = 260;  // 259 + terminator
inline constexpr std::size_t kDependentFilesChars = 520;

struct InstallServices {
  platform::Spooler& spooler;
  platform::SystemInfo& systemInfo;
  platform::FileCopy& fileCopy;
};

// The request for a model of the catalogue under the user's choices. Texts
// longer than a field are cut to 63 characters.
InstallRequest BuildInstallRequest(bool setAsDefault, uint16_t modelIndex, const char16_t* modelName,
                                   const char16_t* portName);

// Slots 0 and 1 get their 64-bit names: the text before the first ".dll"
// (any case) followed by "_64.dll". A name without ".dll", or whose 64-bit
// name would not fit, stays as it is.
void ApplyX64FileNames(InstallRequest& request);

// Copies each named driver file from folder (ending in a backslash) into the
// driver directory, overwriting. The outcomes decide nothing; each copy is
// reported as a step when a report is given.
void CopyDriverFiles(const InstallServices& services, const char16_t* folder, const InstallRequest& request,
                     SequenceReport* steps = nullptr);

// AddPrinterDriverW level 3: 0 or its error code.
uint32_t AddModelDriver(const InstallServices& services, const InstallRequest& request);

// AddPrinterW level 2 under the base name, then "%s(%d)" for 1 to 127 while
// the name is taken. 0 (state.lastPrinterName set); -1 when the first
// attempt fails for another reason than 1802; a numbered attempt's error;
// 1802 when every name is taken. The printer and the default printer are
// reported as steps with the spooler's own codes when a report is given.
int32_t AddModelPrinter(const InstallServices& services, const InstallRequest& request, InstallState& state,
                        SequenceReport* steps = nullptr);

// The whole installation; sets state.stage. Steps go to steps when given.
int32_t InstallDriverPrinter(const InstallServices& services, const InstallRequest& request, InstallState& state,
                             SequenceReport* steps = nullptr);

// The finish page's text for a result (buffer of 260 wide characters).
void ComposeInstallOutcome(int32_t result, InstallStage stage, const char16_t* lastPrinterName, char16_t* outcome);

// What the user chose for one installation.
struct InstallChoices {
  bool setAsDefault = true;
  uint16_t modelIndex = 0;          // into ModelCatalogue
  const char16_t* modelName = nullptr;  // the driver name and the printer's base name
  const char16_t* portName = nullptr;
};

// The whole installation as the finish page runs it: reports its start,
// builds the request (64-bit names on a 64-bit system), installs, and
// reports the outcome text. Returns the installation's result.
int32_t RunInstallSequence(const InstallServices& services, const InstallChoices& choices, InstallState& state,
                           SequenceReport& report);

}  // namespace quispor
