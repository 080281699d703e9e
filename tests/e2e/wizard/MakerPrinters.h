// Puts the maker's VEXO_80 driver and printers of it into Wine's spooler, as
// the tests that need a maker's printer already installed start from.
#pragma once

#include <gtest/gtest.h>

namespace kit::e2e::wizard {

// Registers driver VEXO_80 for "Windows x64" with dummy files in the
// spooler's x64 driver directory.
::testing::AssertionResult AddDriverVexo80();
// A printer of driver VEXO_80 on LPT1:.
::testing::AssertionResult AddPrinterOnLpt1(const wchar_t* name);

}  // namespace kit::e2e::wizard
