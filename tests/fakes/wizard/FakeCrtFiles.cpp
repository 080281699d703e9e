#include "tests/fakes/wizard/FakeCrtFiles.h"

#include <algorithm>
#include <cstring>

namespace kit::fakes {

using quispor::platform::FileHandle;

FakeCrtFiles::FakeCrtFiles() { stdout_.path = "<stdout>"; stdout_.write = true; }

FakeCrtFiles::~FakeCrtFiles() {
  for (Stream* s : streams_) {
    delete s;
  }
}

FakeCrtFiles::Stream* FakeCrtFiles::Find(FileHandle file) {
  auto* s = static_cast<Stream*>(file);
  if (s == &stdout_) {
    return s;
  }
  return streams_.count(s) != 0 ? s : nullptr;
}

FileHandle FakeCrtFiles::Open(const char* path, const char* mode) {
  if (path == nullptr || mode == nullptr || (mode[0] != 'r' && mode[0] != 'w' && mode[0] != 'a')) {
    return nullptr;
  }
  const bool plus = std::strchr(mode, '+') != nullptr;
  auto stream = std::make_unique<Stream>();
  stream->path = path;
  stream->read = mode[0] == 'r' || plus;
  stream->write = mode[0] != 'r' || plus;
  stream->append = mode[0] == 'a';
  stream->text = std::strchr(mode, 'b') == nullptr;

  auto it = files.find(path);
  if (it != files.end() && it->second.heldWithoutSharing) {
    return nullptr;  // sharing violation
  }
  if (mode[0] == 'r' && it == files.end()) {
    return nullptr;  // no such file
  }
  if (stream->write && it != files.end() && it->second.readOnly) {
    return nullptr;  // access denied
  }
  FakeFile& file = files[path];
  if (mode[0] == 'w') {
    file.bytes.clear();
  }
  stream->position = stream->append ? file.bytes.size() : 0;
  Stream* raw = stream.release();
  streams_.insert(raw);
  return raw;
}

FileHandle FakeCrtFiles::fopen(const char* path, const char* mode) {
  calls.push_back("fopen(" + Quote(path) + ", " + Quote(mode) + ")");
  return Open(path, mode);
}

FileHandle FakeCrtFiles::_fsopen(const char* path, const char* mode, int shareFlag) {
  calls.push_back("_fsopen(" + Quote(path) + ", " + Quote(mode) + ", " + std::to_string(shareFlag) + ")");
  return Open(path, mode);
}

int FakeCrtFiles::fclose(FileHandle file) {
  Stream* s = Find(file);
  calls.push_back("fclose(" + (s ? Quote(s->path.c_str()) : std::string("?")) + ")");
  if (s == nullptr || s == &stdout_) {
    return -1;
  }
  streams_.erase(s);
  delete s;
  return 0;
}

int FakeCrtFiles::fseek(FileHandle file, int32_t offset, int origin) {
  calls.push_back("fseek(" + std::to_string(offset) + ", " + std::to_string(origin) + ")");
  Stream* s = Find(file);
  if (s == nullptr || s == &stdout_) {
    return -1;
  }
  const int64_t size = static_cast<int64_t>(files[s->path].bytes.size());
  int64_t base = origin == quispor::platform::kSeekSet ? 0
               : origin == quispor::platform::kSeekEnd ? size
               : origin == 1                           ? static_cast<int64_t>(s->position)
                                                       : -1;
  if (base < 0 || base + offset < 0) {
    return -1;
  }
  s->position = static_cast<std::size_t>(base + offset);
  return 0;
}

int32_t FakeCrtFiles::ftell(FileHandle file) {
  calls.push_back("ftell");
  Stream* s = Find(file);
  if (s == nullptr || s == &stdout_) {
    return -1;
  }
  return static_cast<int32_t>(s->position);
}

std::size_t FakeCrtFiles::fread(void* buffer, std::size_t size, std::size_t count, FileHandle file) {
  calls.push_back("fread(" + std::to_string(size) + ", " + std::to_string(count) + ")");
  Stream* s = Find(file);
  if (s == nullptr || !s->read || size == 0) {
    return 0;
  }
  const std::string& bytes = files[s->path].bytes;
  std::string out;
  const std::size_t wanted = size * count;
  while (out.size() < wanted && s->position < bytes.size()) {
    const char c = bytes[s->position++];
    if (s->text && c == '\r' && s->position < bytes.size() && bytes[s->position] == '\n') {
      continue;  // CR LF reads as LF
    }
    out += c;
  }
  std::memcpy(buffer, out.data(), out.size());
  return out.size() / size;
}

std::size_t FakeCrtFiles::fwrite(const void* buffer, std::size_t size, std::size_t count, FileHandle file) {
  Stream* s = Find(file);
  calls.push_back("fwrite(" + (s ? Quote(s->path.c_str()) : std::string("?")) + ", " +
                  std::to_string(size * count) + ")");
  if (s == nullptr || !s->write || size == 0) {
    return 0;
  }
  const std::string data(static_cast<const char*>(buffer), size * count);
  if (s == &stdout_) {
    standardOutput += data;
    return count;
  }
  FakeFile& target = files[s->path];
  if (target.failWrites) {
    return 0;
  }
  std::string stored;
  for (char c : data) {
    if (s->text && c == '\n') {
      stored += '\r';
    }
    stored += c;
  }
  if (s->append) {
    s->position = target.bytes.size();
  }
  if (target.bytes.size() < s->position + stored.size()) {
    target.bytes.resize(s->position + stored.size());
  }
  std::copy(stored.begin(), stored.end(), target.bytes.begin() + static_cast<std::ptrdiff_t>(s->position));
  s->position += stored.size();
  return count;
}

int FakeCrtFiles::fflush(FileHandle file) {
  Stream* s = Find(file);
  calls.push_back("fflush(" + (s ? Quote(s->path.c_str()) : std::string("?")) + ")");
  return s != nullptr ? 0 : -1;
}

FileHandle FakeCrtFiles::StandardOutput() { return &stdout_; }

}  // namespace kit::fakes
