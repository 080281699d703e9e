#include "wizard/unattended/RunLock.h"

namespace quispor::unattended {

RunLock::RunLock(RunSession& session) : session_(session) {
  handle_ = session_.CreateMutexW(kRunLockName, &error_);
  if (handle_ != 0) {
    // Kept open either way: while this run lasts the lock exists.
    state_ = error_ == kErrorAlreadyExists ? LockState::Busy : LockState::Taken;
  } else {
    // A mutex made by a run under another account (SYSTEM) may refuse this
    // one the access it asks for: it is held all the same.
    state_ = error_ == kErrorAccessDenied ? LockState::Busy : LockState::Failed;
  }
}

RunLock::~RunLock() {
  if (handle_ != 0) {
    session_.CloseHandle(handle_);
  }
}

}  // namespace quispor::unattended
