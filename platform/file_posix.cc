// Files on POSIX systems. Exclusive use is an advisory flock() taken on the
// open file: it conflicts with every other flock() of the same file, from
// this process or another, so two strewgen runs (or a run's map and its
// output) can never hold one file twice.

#include "platform/file.h"

#include <algorithm>

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace strewgen {

namespace {

std::string errnoText(int error_number) { return strerror(error_number); }

// Opens without blocking (a FIFO would wait for a writer), then makes the
// descriptor blocking again for the reads and writes that follow.
int openNonBlocking(const std::string& path, int flags) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  int status = fcntl(fd, F_GETFL);
  if (status < 0 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) < 0) {
    int saved = errno;
    ::close(fd);
    errno = saved;
    return -1;
  }
  return fd;
}

// Opens the path and reads its status; returns the descriptor, or -1 with
// the reason in *error.
int openAndStat(const std::string& path, int flags, struct stat* info,
                std::string* error) {
  int fd = openNonBlocking(path, flags);
  if (fd < 0) {
    *error = errnoText(errno);
    return -1;
  }
  if (fstat(fd, info) != 0) {
    *error = errnoText(errno);
    ::close(fd);
    return -1;
  }
  return fd;
}

FileId idOf(const struct stat& info) {
  return FileId{static_cast<uint64_t>(info.st_dev),
                static_cast<uint64_t>(info.st_ino)};
}

// Takes the exclusive lock. File systems without locks are used unlocked:
// the tool then relies on the file id checks alone.
bool lockExclusive(int fd, std::string* error) {
  int result;
  do {
    result = flock(fd, LOCK_EX | LOCK_NB);
  } while (result < 0 && errno == EINTR);
  if (result == 0) return true;
  if (errno == EWOULDBLOCK) {
    *error = "file is in use by another process";
    return false;
  }
  if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL) return true;
  *error = errnoText(errno);
  return false;
}

}  // namespace

File::~File() {
  std::string ignored;
  close(&ignored);
}

bool File::openForRead(const std::string& path, std::string* error) {
  std::string ignored;
  close(&ignored);
  struct stat info;
  int fd = openAndStat(path, O_RDONLY, &info, error);
  if (fd < 0) return false;
  if (S_ISDIR(info.st_mode)) {
    *error = errnoText(EISDIR);
    ::close(fd);
    return false;
  }
  if (!lockExclusive(fd, error)) {
    ::close(fd);
    return false;
  }
  handle_ = fd;
  id_ = idOf(info);
  size_ = S_ISREG(info.st_mode) ? static_cast<uint64_t>(info.st_size) : 0;
  return true;
}

bool File::openForWrite(const std::string& path,
                        std::span<const FileId> mustDiffer,
                        std::string* error) {
  std::string ignored;
  close(&ignored);
  // No O_TRUNC: the file is emptied only after the checks below.
  struct stat info;
  int fd = openAndStat(path, O_WRONLY | O_CREAT, &info, error);
  if (fd < 0) return false;
  const FileId id = idOf(info);
  if (std::find(mustDiffer.begin(), mustDiffer.end(), id) != mustDiffer.end()) {
    *error = "is the same file as the one being read";
    ::close(fd);
    return false;
  }
  if (!lockExclusive(fd, error)) {
    ::close(fd);
    return false;
  }
  // Devices such as /dev/null cannot be truncated and need not be.
  if (S_ISREG(info.st_mode) && ftruncate(fd, 0) != 0) {
    *error = errnoText(errno);
    ::close(fd);
    return false;
  }
  handle_ = fd;
  id_ = id;
  size_ = 0;
  return true;
}

bool File::readAt(uint64_t offset, char* buffer, size_t n, size_t* got,
                  std::string* error) {
  int fd = static_cast<int>(handle_);
  size_t done = 0;
  while (done < n) {
    ssize_t result = pread(fd, buffer + done, n - done,
                           static_cast<off_t>(offset + done));
    if (result < 0) {
      if (errno == EINTR) continue;
      *error = errnoText(errno);
      *got = done;
      return false;
    }
    if (result == 0) break;
    done += static_cast<size_t>(result);
  }
  *got = done;
  return true;
}

bool File::read(char* buffer, size_t n, size_t* got, std::string* error) {
  int fd = static_cast<int>(handle_);
  ssize_t result;
  do {
    result = ::read(fd, buffer, n);
  } while (result < 0 && errno == EINTR);
  if (result < 0) {
    *error = errnoText(errno);
    *got = 0;
    return false;
  }
  *got = static_cast<size_t>(result);
  readPosition_ += *got;  // as the kernel's own position
  return true;
}

bool File::write(const char* data, size_t n, std::string* error) {
  int fd = static_cast<int>(handle_);
  while (n > 0) {
    ssize_t result = ::write(fd, data, n);
    if (result < 0) {
      if (errno == EINTR) continue;
      *error = errnoText(errno);
      return false;
    }
    if (result == 0) {
      *error = errnoText(EIO);
      return false;
    }
    data += result;
    n -= static_cast<size_t>(result);
  }
  return true;
}

bool File::close(std::string* error) {
  if (handle_ == kNoHandle) return true;
  int fd = static_cast<int>(handle_);
  handle_ = kNoHandle;
  id_ = FileId{};
  size_ = 0;
  readPosition_ = 0;
  // The descriptor is gone after close() even when it reports an error,
  // so it is never retried.
  if (::close(fd) != 0 && errno != EINTR) {
    *error = errnoText(errno);
    return false;
  }
  return true;
}

}  // namespace strewgen
