// The machine-wide lock of Quispor: a named mutex that every run, quiet or
// interactive, holds open while it lasts. A quiet run that finds it taken
// ends with 1618, so that a deployment engine retries later; the interactive
// wizard only takes part, as it always opened whatever else ran.
#pragma once

#include <cstdint>

#include "wizard/unattended/RunPlatform.h"

namespace quispor::unattended {

// In the Global namespace: the deployment engine's run (often as SYSTEM, in
// session 0) and a technician's wizard on the desktop see the same lock.
inline constexpr const char16_t* kRunLockName = u"Global\\Quispor.VexoPrinterDriverSetup";

enum class LockState {
  Taken,   // this run made the lock
  Busy,    // another run holds it (it existed, or another account's run made it and it cannot be opened)
  Failed,  // no lock could be had for another reason (error())
};

class RunLock {
 public:
  explicit RunLock(RunSession& session);
  ~RunLock();
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

  LockState state() const { return state_; }
  uint32_t error() const { return error_; }

 private:
  RunSession& session_;
  KernelHandle handle_ = 0;
  LockState state_ = LockState::Failed;
  uint32_t error_ = 0;
};

}  // namespace quispor::unattended
