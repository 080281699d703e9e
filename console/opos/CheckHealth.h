// The "CheckHealth" button: open, claim and enable the named device through
// the OPOS POSPrinter control, run the interactive health check and report.
#pragma once

#include <optional>
#include <string>

#include "console/opos/MessageSink.h"
#include "console/opos/PosPrinterControl.h"

namespace vantrel {

inline constexpr char kCannotOpenText[] = "Can not open device";
inline constexpr char kCannotClaimText[] = "Can not claim device";
inline constexpr char kHealthOkText[] = "CheckHealth OK";
inline constexpr char kHealthFailText[] = "CheckHealth Fail";
inline constexpr char kErrorCaption[] = "Error";
inline constexpr char kInformationCaption[] = "Information";

// deviceNameField: the text of "Device Name:"; currentNodeText: the text of
// the node last clicked in the tree, none when there is none. Errors of the
// control (creation or a failing COM call) leave as exceptions and end the
// sequence where it is.
void RunCheckHealth(const std::string& deviceNameField,
                    const std::optional<std::string>& currentNodeText,
                    PosPrinterControlFactory& controls, MessageSink& messages);

}  // namespace vantrel
