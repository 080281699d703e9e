#include "wizard/removal/PrinterRemoval.h"

#include "wizard/engine/PrinterScan.h"
#include "wizard/engine/WideText.h"
#include "wizard/engine/platform/SpoolerBuffer.h"
#include "wizard/removal/LogText.h"

namespace quispor::removal {
namespace {

using platform::kErrorInsufficientBuffer;

constexpr uint32_t kEnumFlags = platform::kPrinterEnumLocal | platform::kPrinterEnumConnections;

// Every printer of the removal is opened with full access, so that it can be
// deleted.
uint32_t OpenForRemoval(platform::Spooler& spooler, const std::u16string& name, platform::OpenPrinter& printer) {
  platform::PrinterDefaultsW defaults{nullptr, nullptr, platform::kPrinterAllAccess};
  return spooler.OpenPrinterW(name.c_str(), printer.put(spooler), &defaults);
}

// The number of records of type T that fit the buffer, so that a count the
// buffer cannot hold is never read.
template <typename T>
uint32_t Fitting(const platform::SpoolerBuffer& buffer, uint32_t returned) {
  const uint32_t fits = buffer.size() / static_cast<uint32_t>(sizeof(T));
  return returned < fits ? returned : fits;
}

// Level-2 information of an open printer: 0 and the job count, or the error.
uint32_t QueuedJobs(platform::Spooler& spooler, platform::PrinterHandle printer, uint32_t* jobs) {
  uint32_t needed = 0;
  uint32_t error = spooler.GetPrinterW(printer, 2, nullptr, 0, &needed);
  if (error != 0 && error != kErrorInsufficientBuffer) {
    return error;
  }
  platform::SpoolerBuffer buffer(needed);
  if (buffer.data() == nullptr || needed < sizeof(platform::PrinterInfo2W)) {
    return error != 0 ? error : kErrorInsufficientBuffer;
  }
  error = spooler.GetPrinterW(printer, 2, buffer.data(), buffer.size(), &needed);
  if (error == 0) {
    *jobs = buffer.record<platform::PrinterInfo2W>(0).cJobs;
  }
  return error;
}

}  // namespace

uint32_t GetPrinterByDriverName(platform::Spooler& spooler, const char16_t* driverName, PrinterNameList& list) {
  list.names.clear();
  list.connections.clear();
  list.count = 0;
  uint32_t needed = 0;
  uint32_t returned = 0;
  uint32_t error = spooler.EnumPrintersW(kEnumFlags, u"", 2, nullptr, 0, &needed, &returned);
  if (error != 0 && error != kErrorInsufficientBuffer) {
    Log(u"GetPrinterByDriverName:: EnumPrinters Fail\r\n");
    return error;
  }
  if (needed == 0) {
    return 0;
  }
  platform::SpoolerBuffer buffer(needed);
  if (buffer.data() == nullptr) {
    Log(u"GetPrinterByDriverName:: new mem Fail\r\n");
    return error;
  }
  returned = 0;
  error = spooler.EnumPrintersW(kEnumFlags, u"", 2, buffer.data(), buffer.size(), &needed, &returned);
  if (error != 0) {
    return error;
  }
  const std::u16string_view wanted = View(driverName);
  const uint32_t entries = Fitting<platform::PrinterInfo2W>(buffer, returned);
  for (uint32_t i = 0; i < entries; ++i) {
    const platform::PrinterInfo2W& printer = buffer.record<platform::PrinterInfo2W>(i);
    if (printer.pDriverName != nullptr && View(printer.pDriverName) == wanted) {
      list.names.emplace_back(View(printer.pPrinterName));
      list.connections.push_back(IsPrinterConnection(printer));
    }
  }
  list.count = static_cast<int32_t>(list.names.size());
  return 0;
}

void GetJobsByName(platform::Spooler& spooler, const PrinterNameList& list) {
  for (const std::u16string& name : list.names) {
    platform::OpenPrinter printer;
    if (OpenForRemoval(spooler, name, printer) != 0) {
      Log(u"GetJobsByName:: OpenPrinter Fail\r\n");
      return;
    }
    uint32_t needed = 0;
    uint32_t returned = 0;
    const uint32_t error = spooler.EnumJobsW(printer.get(), 0, 0xFFFFFFFF, 3, nullptr, 0, &needed, &returned);
    if (error != 0 && error != kErrorInsufficientBuffer) {
      printer.reset();
      Log(u"GetJobsByName:: EnumJobs Fail\r\n");
      return;
    }
    if (error == kErrorInsufficientBuffer) {
      Log(u"GetJobsByName:: EnumJobs dwNeed=" + DecimalCode(needed) + u",dwItems=" + DecimalCode(returned) +
          u"\r\n");
    }
    if (needed > 0) {
      Log(u"GetJobsByName:: EnumJobs return index\r\n");
      return;  // closes the printer
    }
    uint32_t jobs = 0;
    const uint32_t infoError = QueuedJobs(spooler, printer.get(), &jobs);
    if (infoError != 0) {
      Log(u"GetJobsByName:: GetPrinter erro=" + DecimalCode(infoError) + u"\r\n");
    } else if (jobs > 0) {
      Log(u"GetJobsByName:: GetPrinter return index\r\n");
      return;
    }
  }
}

void GetMyForms(platform::Spooler& spooler, const char16_t* printerName, FormNameList& list) {
  list.names.clear();
  list.count = 0;
  platform::OpenPrinter printer;
  if (OpenForRemoval(spooler, std::u16string(View(printerName)), printer) != 0) {
    Log(u"GetMyForms:: OpenPrinter Fail\r\n");
    return;
  }
  uint32_t needed = 0;
  uint32_t returned = 0;
  const uint32_t error = spooler.EnumFormsW(printer.get(), 1, nullptr, 0, &needed, &returned);
  if (error != 0 && error != kErrorInsufficientBuffer) {
    printer.reset();
    Log(u"GetMyForms:: EnumJobs Fail\r\n");
    return;
  }
  // The decision rests on the size query's entry count, which is always 0:
  // no form is ever collected, so none is deleted.
  if (returned == 0) {
    Log(u"GetMyForms:: formNum zero\r\n");
    return;
  }
  platform::SpoolerBuffer buffer(needed);
  if (buffer.data() == nullptr) {
    return;
  }
  returned = 0;
  if (spooler.EnumFormsW(printer.get(), 1, buffer.data(), buffer.size(), &needed, &returned) != 0) {
    return;
  }
  const uint32_t entries = Fitting<platform::FormInfo1W>(buffer, returned);
  for (uint32_t i = 0; i < entries && list.names.size() < FormNameList::kCapacity; ++i) {
    list.names.emplace_back(View(buffer.record<platform::FormInfo1W>(i).pName));
  }
  list.count = static_cast<int32_t>(list.names.size());
}

uint32_t DeleteMyPrinters(platform::Spooler& spooler, const PrinterNameList& printers, const FormNameList& forms,
                          SequenceReport* steps) {
  const auto step = [steps](const std::u16string& name, uint32_t code) {
    if (steps != nullptr) {
      steps->StepDone(SequenceStep::PrinterDeleted, name, code);
    }
  };
  bool first = true;
  for (std::size_t i = 0; i < printers.names.size(); ++i) {
    const std::u16string& name = printers.names[i];
    if (i < printers.connections.size() && printers.connections[i]) {
      // A connection left in place would keep the driver in use.
      const uint32_t error = spooler.DeletePrinterConnectionW(name.c_str());
      step(name, error);
      if (error != 0) {
        Log(u"DeleteMyPrinters:: DeletePrinterConnection Fail\r\n");
        return error;
      }
      continue;
    }
    platform::OpenPrinter printer;
    uint32_t error = OpenForRemoval(spooler, name, printer);
    if (error != 0) {
      step(name, error);
      Log(u"DeleteMyPrinters:: OpenPrinter Fail\r\n");
      return error;
    }
    error = spooler.DeletePrinter(printer.get());
    step(name, error);
    if (error != 0) {
      Log(u"DeleteMyPrinters:: DeletePrinter Fail\r\n");
      return error;  // closes the handle
    }
    if (first) {
      for (const std::u16string& form : forms.names) {
        if (spooler.DeleteFormW(printer.get(), form.c_str()) != 0) {
          Log(u"DeleteMyPrinters:: DeleteForm Fail\r\n");
        }
      }
      first = false;
    }
    if (spooler.DeletePrinterConnectionW(name.c_str()) != 0) {
      Log(u"DeleteMyPrinters:: DeletePrinterConnection Fail\r\n");
    }
  }
  return 0;
}

}  // namespace quispor::removal
