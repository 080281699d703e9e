// How the install and removal sequences tell what they do: the wizard's
// finish page shows it, and any other runner of the sequences can take the
// same reports.
#pragma once

#include <cstdint>
#include <string_view>

namespace quispor {

// A step's code that still means done: ERROR_SUCCESS_REBOOT_REQUIRED, the
// change completes at the next restart (pnputil's answer for a package).
inline constexpr uint32_t kErrorSuccessRebootRequired = 3010;
inline constexpr bool StepSucceeded(uint32_t code) { return code == 0 || code == kErrorSuccessRebootRequired; }

// The steps of the sequences that change the system.
enum class SequenceStep {
  FileCopied,              // subject: the driver file's target path
  DriverAdded,             // subject: the driver name
  DriverAlreadyInstalled,  // subject: the driver name; nothing was changed
  PrinterAdded,            // subject: the printer name tried last
  DefaultPrinterSet,       // subject: the printer name
  PrinterDeleted,          // subject: the printer (or connection) name
  DriverDeleted,           // subject: the driver name
  PackageDeleted,          // subject: the driver-store package (oemN.inf)
};

class SequenceReport {
 public:
  virtual ~SequenceReport() = default;
  // The first step of every sequence (the finish page relabels its buttons).
  virtual void SequenceStarted() = 0;
  // A progress line or the outcome; each replaces the text before it.
  virtual void ShowText(const char16_t* text) = 0;
  // One step and the Windows code it ended with (StepSucceeded: done). The
  // finish page shows only the texts; an unattended run logs every step.
  virtual void StepDone(SequenceStep step, std::u16string_view subject, uint32_t code) {}
  // What a step's code means in the system's words (a tool's exit code and
  // its text); an unattended run logs it, the finish page does not show it.
  virtual void Note(std::u16string_view text) {}
};

}  // namespace quispor
