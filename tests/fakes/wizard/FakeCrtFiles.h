// In-memory files behind the C runtime calls, with the Microsoft C runtime's
// behaviour: names compared without case, text mode ("a", "r", "w" without
// "b") stores each "\n" as "\r\n" and reads "\r\n" back as "\n", a
// read-only file refuses every write open, a file held without sharing
// refuses every open. Every call is recorded; open streams are counted so a
// test can see nothing is left open.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeText.h"
#include "wizard/engine/platform/CrtFiles.h"

namespace kit::fakes {

struct FakeFile {
  std::string bytes;
  bool readOnly = false;
  bool heldWithoutSharing = false;  // another program holds it open exclusively
  bool failWrites = false;          // writes fail (a full disk)
};

class FakeCrtFiles : public quispor::platform::CrtFiles {
 public:
  FakeCrtFiles();
  ~FakeCrtFiles() override;

  std::map<std::string, FakeFile, NoCaseLess> files;
  std::string standardOutput;  // what the program wrote to stdout
  std::vector<std::string> calls;

  bool Exists(const std::string& path) const { return files.count(path) != 0; }
  FakeFile& File(const std::string& path) { return files[path]; }
  std::size_t OpenStreams() const { return streams_.size(); }

  quispor::platform::FileHandle fopen(const char* path, const char* mode) override;
  quispor::platform::FileHandle _fsopen(const char* path, const char* mode, int shareFlag) override;
  int fclose(quispor::platform::FileHandle file) override;
  int fseek(quispor::platform::FileHandle file, int32_t offset, int origin) override;
  int32_t ftell(quispor::platform::FileHandle file) override;
  std::size_t fread(void* buffer, std::size_t size, std::size_t count, quispor::platform::FileHandle file) override;
  std::size_t fwrite(const void* buffer, std::size_t size, std::size_t count,
                     quispor::platform::FileHandle file) override;
  int fflush(quispor::platform::FileHandle file) override;
  quispor::platform::FileHandle StandardOutput() override;

 private:
  struct Stream {
    std::string path;
    bool read = false;
    bool write = false;
    bool append = false;
    bool text = true;
    std::size_t position = 0;
  };

  quispor::platform::FileHandle Open(const char* path, const char* mode);
  Stream* Find(quispor::platform::FileHandle file);

  std::set<Stream*> streams_;
  Stream stdout_;
};

}  // namespace kit::fakes
