// Plugs the USB device watcher and the OPOS components into the main
// window's hooks: the watcher and the USB device list at start-up, the
// registration of the control and the service object, and the health check.
#pragma once

namespace vantrel::win32 {

class TMainFM;

// Call before TMainFM::Create(), since FormCreate runs inside WM_CREATE.
void ConnectConsoleComponents(TMainFM& form);

}  // namespace vantrel::win32
