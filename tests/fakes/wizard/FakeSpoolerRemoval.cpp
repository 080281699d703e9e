// The spooler fake's removal calls: jobs per printer, the server's forms,
// printers deleted through a handle opened with delete access (5 otherwise),
// a driver that a printer still uses, or that the spooler still holds for a
// printer deleted since it started, refused with 3001, an unknown driver with
// 1797, a connection deletion of a local printer refused with 1801.
#include <algorithm>
#include <cstring>

#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeHelpers.h"
#include "tests/fakes/wizard/FakeText.h"

namespace kit::fakes {
namespace {

using detail::BackPacker;
using detail::EndsBeforeFilling;
using detail::HexText;
using detail::PackPrinterInfo2;
using detail::PrinterInfo2Bytes;
using detail::TextBytes;

using quispor::platform::FormInfo1W;
using quispor::platform::JobInfo3;
using quispor::platform::PrinterInfo2W;

constexpr uint32_t kDelete = 0x00010000;  // DELETE, part of PRINTER_ALL_ACCESS
constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kKnownDeleteFlags = 0x1 | 0x2 | 0x4;  // DPD_DELETE_UNUSED_FILES, _SPECIFIC_VERSION, _ALL_FILES

// The printer an open printer handle stands for: 6 for a handle that is not
// a printer's, 1801 when its printer is gone.
uint32_t PrinterOf(FakeSpooler& spooler, quispor::platform::PrinterHandle handle, const FakePrinter** printer) {
  const FakeOpenHandle* open = spooler.Handle(handle);
  if (open == nullptr || open->kind != FakeOpenHandle::Kind::Printer) {
    return FakeSpooler::kErrorInvalidHandle;
  }
  *printer = spooler.FindPrinter(open->name);
  return *printer == nullptr ? FakeSpooler::kErrorInvalidPrinterName : 0;
}

}  // namespace

uint32_t FakeSpooler::EnumJobsW(quispor::platform::PrinterHandle printer, uint32_t firstJob, uint32_t jobCount,
                                uint32_t level, uint8_t* jobs, uint32_t bufferSize, uint32_t* needed,
                                uint32_t* returned) {
  calls.push_back("EnumJobsW(" + HexText(printer) + ", first=" + std::to_string(firstJob) + ", count=" +
                  std::to_string(jobCount) + ", level=" + std::to_string(level) + ", buffer=" +
                  (jobs ? "set" : "null") + ", cb=" + std::to_string(bufferSize) + ")");
  *returned = 0;
  *needed = 0;
  uint32_t error = 0;
  if (TakeFailure("EnumJobsW", &error)) {
    return error;
  }
  const FakePrinter* p = nullptr;
  if ((error = PrinterOf(*this, printer, &p)) != 0) {
    return error;
  }
  if (level != 3) {
    return kErrorInvalidLevel;  // only level 3 is modelled
  }
  const uint32_t available = p->jobs > firstJob ? p->jobs - firstJob : 0;
  const uint32_t listed = std::min(available, jobCount);
  const uint32_t size = listed * static_cast<uint32_t>(sizeof(JobInfo3));
  if (EndsBeforeFilling(size, jobs, bufferSize, needed, &error)) {
    return error;
  }
  for (uint32_t i = 0; i < listed; ++i) {
    const JobInfo3 job{firstJob + i + 1, i + 1 < listed ? firstJob + i + 2 : 0, 0};
    std::memcpy(jobs + i * sizeof(JobInfo3), &job, sizeof job);
  }
  *returned = listed;
  return 0;
}

uint32_t FakeSpooler::GetPrinterW(quispor::platform::PrinterHandle printer, uint32_t level, uint8_t* info,
                                  uint32_t bufferSize, uint32_t* needed) {
  calls.push_back("GetPrinterW(" + HexText(printer) + ", level=" + std::to_string(level) + ", buffer=" +
                  (info ? "set" : "null") + ", cb=" + std::to_string(bufferSize) + ")");
  *needed = 0;
  uint32_t error = 0;
  if (TakeFailure("GetPrinterW", &error)) {
    return error;
  }
  const FakePrinter* p = nullptr;
  if ((error = PrinterOf(*this, printer, &p)) != 0) {
    return error;
  }
  if (level != 2) {
    return kErrorInvalidLevel;
  }
  const uint32_t size = PrinterInfo2Bytes(*p);
  if (EndsBeforeFilling(size, info, bufferSize, needed, &error)) {
    return error;
  }
  BackPacker packer(info, size);
  PrinterInfo2W record = PackPrinterInfo2(packer, *p);
  record.cJobs = p->jobs;
  std::memcpy(info, &record, sizeof record);
  return 0;
}

uint32_t FakeSpooler::EnumFormsW(quispor::platform::PrinterHandle printer, uint32_t level, uint8_t* buffer,
                                 uint32_t bufferSize, uint32_t* needed, uint32_t* returned) {
  calls.push_back("EnumFormsW(" + HexText(printer) + ", level=" + std::to_string(level) + ", buffer=" +
                  (buffer ? "set" : "null") + ", cb=" + std::to_string(bufferSize) + ")");
  *returned = 0;
  *needed = 0;
  uint32_t error = 0;
  if (TakeFailure("EnumFormsW", &error)) {
    return error;
  }
  if (Handle(printer) == nullptr) {
    return kErrorInvalidHandle;
  }
  if (level != 1) {
    return kErrorInvalidLevel;
  }
  uint32_t size = 0;
  for (const std::u16string& form : forms) {
    size += sizeof(FormInfo1W) + TextBytes(form);
  }
  if (EndsBeforeFilling(size, buffer, bufferSize, needed, &error)) {
    return error;
  }
  BackPacker packer(buffer, size);
  for (std::size_t i = 0; i < forms.size(); ++i) {
    FormInfo1W record{};
    record.pName = packer.Text(forms[i]);
    record.SizeCx = 215900;
    record.SizeCy = 279400;
    std::memcpy(buffer + i * sizeof(FormInfo1W), &record, sizeof record);
  }
  *returned = static_cast<uint32_t>(forms.size());
  return 0;
}

uint32_t FakeSpooler::DeletePrinter(quispor::platform::PrinterHandle printer) {
  calls.push_back("DeletePrinter(" + HexText(printer) + ")");
  uint32_t error = 0;
  if (TakeFailure("DeletePrinter", &error)) {
    return error;
  }
  const FakeOpenHandle* open = Handle(printer);
  if (open == nullptr || open->kind != FakeOpenHandle::Kind::Printer) {
    return kErrorInvalidHandle;
  }
  if ((open->access & kDelete) == 0) {
    return kErrorAccessDenied;
  }
  const auto it = std::find_if(printers.begin(), printers.end(),
                               [&](const FakePrinter& p) { return EqualsNoCase(p.name, open->name); });
  if (it == printers.end()) {
    return kErrorInvalidPrinterName;
  }
  if (IsConnection(*it)) {
    // The handle is the server's queue: it goes there, and the connection
    // to it with it.
    deletedServerQueues.push_back(it->name);
  }
  heldDrivers.push_back(it->driver);
  if (it->jobs > 0) {
    it->pendingDeletion = true;
    return 0;
  }
  printers.erase(it);
  return 0;
}

uint32_t FakeSpooler::DeleteFormW(quispor::platform::PrinterHandle printer, const char16_t* formName) {
  calls.push_back("DeleteFormW(" + HexText(printer) + ", " + Quote(formName) + ")");
  uint32_t error = 0;
  if (TakeFailure("DeleteFormW", &error)) {
    return error;
  }
  if (Handle(printer) == nullptr) {
    return kErrorInvalidHandle;
  }
  const auto it = std::find_if(forms.begin(), forms.end(), [&](const std::u16string& f) {
    return formName != nullptr && EqualsNoCase(f, formName);
  });
  if (it == forms.end()) {
    return kErrorInvalidFormName;
  }
  forms.erase(it);
  return 0;
}

uint32_t FakeSpooler::DeletePrinterConnectionW(const char16_t* name) {
  calls.push_back("DeletePrinterConnectionW(" + Quote(name) + ")");
  uint32_t error = 0;
  if (TakeFailure("DeletePrinterConnectionW", &error)) {
    return error;
  }
  const auto it = std::find_if(printers.begin(), printers.end(), [&](const FakePrinter& p) {
    return name != nullptr && EqualsNoCase(p.name, name) && IsConnection(p);
  });
  if (it == printers.end()) {
    return kErrorInvalidPrinterName;  // no connection of that name (a local printer is none)
  }
  heldDrivers.push_back(it->driver);  // loaded here for printing to the server
  printers.erase(it);
  return 0;
}

uint32_t FakeSpooler::DeletePrinterDriverExW(const char16_t* server, const char16_t* environment,
                                             const char16_t* driverName, uint32_t deleteFlag, uint32_t versionFlag) {
  calls.push_back("DeletePrinterDriverExW(server=" + Quote(server) + ", environment=" + Quote(environment) +
                  ", driver=" + Quote(driverName) + ", deleteFlag=" + std::to_string(deleteFlag) +
                  ", versionFlag=" + std::to_string(versionFlag) + ")");
  uint32_t error = 0;
  if (TakeFailure("DeletePrinterDriverExW", &error)) {
    return error;
  }
  if (driverName == nullptr || (deleteFlag & ~kKnownDeleteFlags) != 0) {
    return kErrorInvalidParameter;
  }
  const std::u16string wanted = environment ? environment : runningEnvironment;
  bool known = false;
  DirectoryFor(wanted, &known);
  if (!known) {
    return kErrorInvalidEnvironment;
  }
  const auto matches = [&](const FakeDriver& d) {
    return EqualsNoCase(d.name, driverName) && EqualsNoCase(d.environment, wanted);
  };
  if (std::none_of(drivers.begin(), drivers.end(), matches)) {
    return kErrorUnknownPrinterDriver;
  }
  for (const FakePrinter& p : printers) {
    if (EqualsNoCase(p.driver, driverName)) {
      return kErrorPrinterDriverInUse;
    }
  }
  for (const std::u16string& held : heldDrivers) {
    if (EqualsNoCase(held, driverName)) {
      return kErrorPrinterDriverInUse;
    }
  }
  drivers.erase(std::remove_if(drivers.begin(), drivers.end(), matches), drivers.end());
  return 0;
}

}  // namespace kit::fakes
