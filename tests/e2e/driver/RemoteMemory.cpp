#include "tests/e2e/driver/RemoteMemory.h"

#include <stdexcept>

#include "tests/e2e/driver/Win32Helpers.h"

namespace kit::e2e::detail {
namespace {

bool IsWow64(HANDLE process) {
  BOOL wow = FALSE;
  return IsWow64Process(process, &wow) && wow;
}

}  // namespace

RemoteMemory::RemoteMemory(HWND owner, size_t size) : size_(size) {
  DWORD pid = 0;
  if (!GetWindowThreadProcessId(owner, &pid)) ThrowWin32("RemoteMemory: the window does not exist");
  process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                 PROCESS_QUERY_INFORMATION, FALSE, pid));
  if (!process_) ThrowWin32("RemoteMemory: OpenProcess failed");
  if (IsWow64(process_.get()) != IsWow64(GetCurrentProcess())) {
    throw std::runtime_error("RemoteMemory: the test and the program differ in bitness; "
                             "build the test in the program's tree");
  }
  address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!address_) ThrowWin32("RemoteMemory: VirtualAllocEx failed");
}

RemoteMemory::RemoteMemory(RemoteMemory&& other) noexcept
    : process_(std::move(other.process_)), address_(other.address_), size_(other.size_) {
  other.address_ = nullptr;
  other.size_ = 0;
}

RemoteMemory::~RemoteMemory() {
  if (address_ && process_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
}

void RemoteMemory::Write(size_t offset, const void* data, size_t size) {
  if (offset > size_ || size > size_ - offset) throw std::out_of_range("RemoteMemory::Write beyond the block");
  SIZE_T done = 0;
  if (!WriteProcessMemory(process_.get(), at(offset), data, size, &done) || done != size) {
    ThrowWin32("RemoteMemory: WriteProcessMemory failed");
  }
}

void RemoteMemory::Read(size_t offset, void* data, size_t size) const {
  if (offset > size_ || size > size_ - offset) throw std::out_of_range("RemoteMemory::Read beyond the block");
  if (!ReadFrom(at(offset), data, size)) ThrowWin32("RemoteMemory: ReadProcessMemory failed");
}

bool RemoteMemory::ReadFrom(const void* remote, void* data, size_t size) const {
  SIZE_T done = 0;
  return ReadProcessMemory(process_.get(), remote, data, size, &done) && done == size;
}

}  // namespace kit::e2e::detail
