#include "FileDescriptor.h"

#include <unistd.h>

#include <cerrno>

namespace pelvorn {

void FileDescriptor::reset(int fd) {
  if (fd_ >= 0) close(fd_);
  fd_ = fd;
}

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return EIO;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace pelvorn
