// Puts the maker's VEXO_80 driver and printers of it into Wine's spooler, as
// the tests that need a maker's printer already installed start from, and
// reads back what the spooler holds.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kit::e2e::wizard {

// Registers driver VEXO_80 for "Windows x64" with dummy files in the
// spooler's x64 driver directory.
::testing::AssertionResult AddDriverVexo80();
// A printer of driver VEXO_80 on the given port.
::testing::AssertionResult AddPrinterOfVexo80(const wchar_t* name, const wchar_t* port = L"LPT1:");

// What the spooler lists of its local printers, and its default printer.
struct Printer {
  std::wstring name, port, driver;
};
std::vector<Printer> Printers();
std::wstring DefaultPrinter();

}  // namespace kit::e2e::wizard
