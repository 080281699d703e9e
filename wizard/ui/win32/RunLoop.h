// The program's message loop with message filters (offered each message
// before translation and dispatch) and idle handlers (run while the queue is
// empty). One loop is registered per thread so that windows can find it.
#pragma once

#include <windows.h>

#include <vector>

namespace quispor::win32 {

class MessageFilter {
 public:
  virtual ~MessageFilter() = default;
  // True when the message was consumed and must not be dispatched.
  virtual bool PreTranslateMessage(MSG& message) = 0;
};

class IdleHandler {
 public:
  virtual ~IdleHandler() = default;
  // True to be called again before the next message arrives.
  virtual bool OnIdle() = 0;
};

class RunLoop {
 public:
  RunLoop() = default;
  RunLoop(const RunLoop&) = delete;
  RunLoop& operator=(const RunLoop&) = delete;
  ~RunLoop();

  // The loop registered for the calling thread, or null.
  static RunLoop* ForThisThread();
  void Register();
  void Unregister();

  void AddMessageFilter(MessageFilter* filter);
  void RemoveMessageFilter(MessageFilter* filter);
  void AddIdleHandler(IdleHandler* handler);
  void RemoveIdleHandler(IdleHandler* handler);

  // Runs until WM_QUIT and returns its wParam.
  int Run();

 private:
  bool PreTranslate(MSG& message);
  bool RunIdleHandlers();

  std::vector<MessageFilter*> filters_;
  std::vector<IdleHandler*> idleHandlers_;
};

}  // namespace quispor::win32
