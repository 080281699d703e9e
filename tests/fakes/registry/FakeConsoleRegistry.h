// The console's narrow registry API over the in-memory store, answering like
// the Win32 "A" functions of a single-byte code page: names and string data
// are mapped byte-wise to and from the wide store, buffers too small give
// 234 with the needed size, a null data pointer asks for the size, and
// every call is logged. The two "W" value calls see the stored bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "console/store/RegistryApi.h"
#include "tests/fakes/registry/FakeRegistryStore.h"

namespace kit::fakes {

struct ConsoleRegCall {
  std::string function;  // "RegOpenKeyExA", ...
  std::string key;       // path of the key handle given, "HKLM\..."
  std::string name;      // subkey or value name argument ("" when none)
  std::uint32_t arg = 0; // access mask, value type or index, by function
  std::int32_t result = 0;
};

class FakeConsoleRegistry : public vantrel::RegistryApi {
 public:
  explicit FakeConsoleRegistry(FakeRegistryStore& store) : store_(store) {}

  std::int32_t CreateKeyEx(vantrel::RegKey parent, const char* subKey, std::uint32_t options,
                           std::uint32_t access, vantrel::RegKey* result,
                           std::uint32_t* disposition) override;
  std::int32_t OpenKeyEx(vantrel::RegKey parent, const char* subKey, std::uint32_t options,
                         std::uint32_t access, vantrel::RegKey* result) override;
  std::int32_t CloseKey(vantrel::RegKey key) override;
  std::int32_t QueryInfoKey(vantrel::RegKey key, std::uint32_t* subKeys,
                            std::uint32_t* maxSubKeyLen, std::uint32_t* values,
                            std::uint32_t* maxValueNameLen, std::uint32_t* maxValueLen) override;
  std::int32_t EnumKeyEx(vantrel::RegKey key, std::uint32_t index, char* name,
                         std::uint32_t* nameLen) override;
  std::int32_t EnumValue(vantrel::RegKey key, std::uint32_t index, char* name,
                         std::uint32_t* nameLen, std::uint32_t* type, unsigned char* data,
                         std::uint32_t* dataLen) override;
  std::int32_t QueryValueEx(vantrel::RegKey key, const char* name, std::uint32_t* type,
                            unsigned char* data, std::uint32_t* dataLen) override;
  std::int32_t SetValueEx(vantrel::RegKey key, const char* name, std::uint32_t type,
                          const unsigned char* data, std::uint32_t size) override;
  std::int32_t QueryValueExW(vantrel::RegKey key, const char16_t* name, std::uint32_t* type,
                             unsigned char* data, std::uint32_t* dataLen) override;
  std::int32_t SetValueExW(vantrel::RegKey key, const char16_t* name, std::uint32_t type,
                           const unsigned char* data, std::uint32_t size) override;
  std::int32_t DeleteValue(vantrel::RegKey key, const char* name) override;
  std::int32_t DeleteKey(vantrel::RegKey key, const char* subKey) override;

  const std::vector<ConsoleRegCall>& Calls() const { return calls_; }
  // Calls of one function as "name" strings, or "name:type" for writes.
  std::vector<std::string> CallNames(const std::string& function) const;
  void ClearCalls() { calls_.clear(); }

  // From now on, every call of function whose name argument equals name
  // (exactly; "*" for any) fails with error, without touching the store.
  void FailCall(const std::string& function, const std::string& name, std::int32_t error);
  // Writes are the calls that can change the store: creating a key, setting,
  // deleting a value or a key. The count runs from construction.
  int WriteCount() const { return writes_; }
  // The k-th write from now (1 is the next) fails with error without
  // touching the store; the writes before and after it are carried out.
  void FailWrite(int k, std::int32_t error) { failingWrite_ = writes_ + k; failingWriteError_ = error; }

  // Runs before each call is carried out, with the function's name; a test
  // uses it to change the store between two calls.
  std::function<void(const std::string& function)> beforeCall;

 private:
  std::int32_t Injected(const std::string& function, const std::string& name) const;
  // Counts a write and answers its injected failure, if any.
  std::int32_t Write(const std::string& function, const std::string& name);
  std::int32_t Log(const std::string& function, vantrel::RegKey key, const std::string& name,
                   std::uint32_t arg, std::int32_t result);
  void Before(const std::string& function) {
    if (beforeCall) beforeCall(function);
  }

  struct Failure {
    std::string function;
    std::string name;
    std::int32_t error;
  };
  FakeRegistryStore& store_;
  std::vector<ConsoleRegCall> calls_;
  std::vector<Failure> failures_;
  int writes_ = 0;
  int failingWrite_ = 0;
  std::int32_t failingWriteError_ = 0;
};

}  // namespace kit::fakes
