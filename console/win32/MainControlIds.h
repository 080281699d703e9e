// Which controls make up the rows of the console window's connection pages
// (tsComm, tsLan, tsUSB in this order), shared by the code that lays them
// out and the code that shows one page.
#pragma once

#include <array>

#include "console/win32/resource.h"

namespace vantrel::win32 {

struct PageRow {
  int label = 0;  // 0: the page has no such row
  int field = 0;
};

inline constexpr std::array<std::array<PageRow, 2>, 3> kPageRows = {{
    {{{IDC_LBL_COM, IDC_CBBCOM}, {IDC_LBL_BAUDRATE, IDC_CBBAUDRATE}}},
    {{{IDC_LBL_IP, IDC_EDTIP}, {IDC_LBL_PORT, IDC_EDTPORT}}},
    {{{IDC_LBL_USBDEV, IDC_CBUSBDEV}, {0, 0}}},
}};

inline constexpr std::array<const char*, 3> kPageCaptions = {"RS232", "TCP/IP", "USB"};

}  // namespace vantrel::win32
