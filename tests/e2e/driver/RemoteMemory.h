// A block of memory inside another process, for the control messages whose
// structures Windows does not carry across processes (tree view items).
#pragma once

#include <windows.h>

#include <cstddef>

#include "tests/e2e/driver/UniqueHandle.h"

namespace kit::e2e::detail {

class RemoteMemory {
 public:
  // Opens the process that owns hwnd and reserves size bytes in it. Throws
  // std::runtime_error when either fails or when the two processes differ
  // in bitness, since the structures would then not match.
  RemoteMemory(HWND owner, size_t size);
  RemoteMemory(RemoteMemory&& other) noexcept;
  RemoteMemory& operator=(RemoteMemory&&) = delete;
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  ~RemoteMemory();

  // The address as the other process sees it.
  void* address() const { return address_; }
  void* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  size_t size() const { return size_; }

  void Write(size_t offset, const void* data, size_t size);
  void Read(size_t offset, void* data, size_t size) const;
  // Reads from any address of the other process; false when it cannot.
  bool ReadFrom(const void* remote, void* data, size_t size) const;

 private:
  UniqueKernelHandle process_;
  void* address_ = nullptr;
  size_t size_ = 0;
};

}  // namespace kit::e2e::detail
