#include "wizard/ui/win32/RunLoop.h"

#include <algorithm>

namespace quispor::win32 {
namespace {

thread_local RunLoop* t_registeredLoop = nullptr;

template <typename T>
void Remove(std::vector<T*>& items, T* item) {
  items.erase(std::remove(items.begin(), items.end(), item), items.end());
}

}  // namespace

RunLoop::~RunLoop() { Unregister(); }

RunLoop* RunLoop::ForThisThread() { return t_registeredLoop; }

void RunLoop::Register() { t_registeredLoop = this; }

void RunLoop::Unregister() {
  if (t_registeredLoop == this) t_registeredLoop = nullptr;
}

void RunLoop::AddMessageFilter(MessageFilter* filter) { filters_.push_back(filter); }
void RunLoop::RemoveMessageFilter(MessageFilter* filter) { Remove(filters_, filter); }
void RunLoop::AddIdleHandler(IdleHandler* handler) { idleHandlers_.push_back(handler); }
void RunLoop::RemoveIdleHandler(IdleHandler* handler) { Remove(idleHandlers_, handler); }

bool RunLoop::PreTranslate(MSG& message) {
  // A filter may close its window while it handles the message (Enter or
  // Escape in IsDialogMessageW), which withdraws it: walk a copy.
  const std::vector<MessageFilter*> filters = filters_;
  for (auto it = filters.rbegin(); it != filters.rend(); ++it) {
    if (std::find(filters_.begin(), filters_.end(), *it) == filters_.end()) continue;
    if ((*it)->PreTranslateMessage(message)) return true;
  }
  return false;
}

bool RunLoop::RunIdleHandlers() {
  bool again = false;
  const std::vector<IdleHandler*> handlers = idleHandlers_;
  for (IdleHandler* handler : handlers) {
    if (std::find(idleHandlers_.begin(), idleHandlers_.end(), handler) == idleHandlers_.end()) continue;
    again = handler->OnIdle() || again;
  }
  return again;
}

int RunLoop::Run() {
  MSG message{};
  bool idle = true;
  for (;;) {
    while (idle && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!RunIdleHandlers()) idle = false;
    }
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) continue;
    if (got == 0) break;
    if (!PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    idle = true;
  }
  return static_cast<int>(message.wParam);
}

}  // namespace quispor::win32
