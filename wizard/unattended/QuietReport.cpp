#include "wizard/unattended/QuietReport.h"

#include "wizard/engine/WideFormat.h"
#include "wizard/engine/WideText.h"
#include "wizard/engine/platform/SpoolerTypes.h"

namespace quispor::unattended {

const char16_t* StepName(SequenceStep step) {
  switch (step) {
    case SequenceStep::FileCopied: return u"driver file copied";
    case SequenceStep::DriverAdded: return u"driver added";
    case SequenceStep::DriverAlreadyInstalled: return u"driver already installed, kept";
    case SequenceStep::PrinterAdded: return u"printer added";
    case SequenceStep::DefaultPrinterSet: return u"default printer set";
    case SequenceStep::PrinterDeleted: return u"printer deleted";
    case SequenceStep::DriverDeleted: return u"driver deleted";
    case SequenceStep::PackageDeleted: return u"driver package deleted";
  }
  return u"step";
}

void QuietReport::ShowText(const char16_t* text) {
  message_ = std::u16string(View(text));
  log_.Write(message_);
}

void QuietReport::StepDone(SequenceStep step, std::u16string_view subject, uint32_t code) {
  if (step == SequenceStep::PrinterAdded && code == platform::kErrorPrinterAlreadyExists) {
    // Not a failure: the sequence goes on with the next free name.
    log_.Write(u"printer name \"" + std::u16string(subject) + u"\" is taken (1802); the printer gets the next free name");
  } else {
    log_.Write(std::u16string(StepName(step)) + u" \"" + std::u16string(subject) + u"\": " +
               (StepSucceeded(code) ? u"done (" + Decimal(code) + u")" : u"failed with " + Decimal(code)));
  }
  if (step == SequenceStep::PrinterAdded) {
    printer_ = std::u16string(subject);
    printerCode_ = code;
  }
  changed_ = changed_ || (StepSucceeded(code) && step != SequenceStep::DriverAlreadyInstalled);
}

int LoggedMessages::MessageBoxW(platform::WindowHandle, const char16_t* text, const char16_t*, uint32_t) {
  log_.Write(u"message: " + std::u16string(View(text)));
  return 1;  // IDOK
}

}  // namespace quispor::unattended
