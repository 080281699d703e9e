// A move-only owner of one COM interface reference.
#pragma once

#include <unknwn.h>

#include <utility>

namespace vantrel::win32 {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) reset(std::exchange(other.p_, nullptr));
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // Releases the held reference first; for out-parameters of COM calls.
  T** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

  void reset(T* p = nullptr) {
    if (p_) p_->Release();
    p_ = p;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace vantrel::win32
