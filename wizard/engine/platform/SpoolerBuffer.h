// A zeroed byte buffer for the spooler's two-call size queries, aligned for
// the pointer-holding records the spooler lays out in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace quispor::platform {

class SpoolerBuffer {
 public:
  SpoolerBuffer() = default;

  // Allocates size bytes, all zero. On allocation failure the buffer stays
  // empty (data() null), which callers treat like a failed enumeration.
  explicit SpoolerBuffer(uint32_t size) {
    const std::size_t words = (static_cast<std::size_t>(size) + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
    if (words == 0) {
      return;
    }
    storage_.reset(new (std::nothrow) std::max_align_t[words]());
    if (storage_) {
      size_ = size;
    }
  }

  [[nodiscard]] uint8_t* data() { return reinterpret_cast<uint8_t*>(storage_.get()); }
  [[nodiscard]] uint32_t size() const { return size_; }

  // The i-th record of type T at the front of the buffer.
  template <typename T>
  [[nodiscard]] const T& record(uint32_t i) const {
    return reinterpret_cast<const T*>(storage_.get())[i];
  }

 private:
  std::unique_ptr<std::max_align_t[]> storage_;
  uint32_t size_ = 0;
};

}  // namespace quispor::platform
