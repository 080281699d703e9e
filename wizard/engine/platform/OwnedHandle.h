// One move-only owner for every handle the wizard's logic holds (registry
// keys, open files, printers, device sets, service and process handles). It
// closes through the platform interface that handed the handle out, so the
// same logic runs against Win32 and against the in-memory fakes.
#pragma once

#include <utility>

namespace quispor::platform {

// Owner: the interface type; Handle: its opaque handle type; Close: the
// member that releases a handle (its result is ignored, as a destructor
// cannot report it).
template <typename Owner, typename Handle, auto Close>
class OwnedHandle {
 public:
  OwnedHandle() = default;
  OwnedHandle(Owner& owner, Handle handle) : owner_(&owner), handle_(handle) {}
  ~OwnedHandle() { reset(); }

  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  OwnedHandle(OwnedHandle&& other) noexcept
      : owner_(std::exchange(other.owner_, nullptr)), handle_(std::exchange(other.handle_, Handle{})) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) {
      reset();
      owner_ = std::exchange(other.owner_, nullptr);
      handle_ = std::exchange(other.handle_, Handle{});
    }
    return *this;
  }

  [[nodiscard]] Handle get() const { return handle_; }
  [[nodiscard]] bool valid() const { return owner_ != nullptr && handle_ != Handle{}; }
  explicit operator bool() const { return valid(); }

  // Closes the current handle (if any) first, then returns the slot for an
  // out-parameter of the owner: owner.Open(..., key.put(owner)).
  Handle* put(Owner& owner) {
    reset();
    owner_ = &owner;
    return &handle_;
  }

  // Gives the handle up without closing it.
  [[nodiscard]] Handle release() {
    owner_ = nullptr;
    return std::exchange(handle_, Handle{});
  }

  void reset() {
    if (owner_ != nullptr && handle_ != Handle{}) {
      (owner_->*Close)(handle_);
    }
    owner_ = nullptr;
    handle_ = Handle{};
  }

 private:
  Owner* owner_ = nullptr;
  Handle handle_{};
};

}  // namespace quispor::platform
