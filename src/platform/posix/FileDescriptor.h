#pragma once

#include <string_view>

namespace pelvorn {

// A descriptor closed when it goes out of scope.
class FileDescriptor {
public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { reset(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  // Returns the descriptor, or -1 when none is held.
  int get() const { return fd_; }

  // Closes the descriptor held, if any, and holds `fd` from now on.
  void reset(int fd = -1);

private:
  int fd_ = -1;
};

// Writes all of `bytes` to `fd`, again after an interrupted write. Returns
// 0, or the errno of the write that failed. Async-signal-safe.
int WriteAll(int fd, std::string_view bytes);

}  // namespace pelvorn
