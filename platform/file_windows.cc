// Files on Windows. Exclusive use is the system's own: every file is
// opened with no sharing, so a second open of it fails while it is held.

#include "platform/file.h"

#include <windows.h>

#include <algorithm>

namespace strewgen {

namespace {

std::wstring widePath(const std::string& path) {
  const int count = MultiByteToWideChar(CP_UTF8, 0, path.data(),
                                        static_cast<int>(path.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(count), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()),
                      wide.data(), count);
  return wide;
}

// The reason for a system error code, in the words the tool uses on every
// system where they exist, else in the system's own.
std::string errorText(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return "No such file or directory";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "file is in use by another process";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "No space left on device";
    case ERROR_ACCESS_DENIED:
      return "Permission denied";
    default:
      break;
  }
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string reason = length > 0 ? std::string(text, length)
                                  : "system error " + std::to_string(code);
  if (text != nullptr) LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.'))
    reason.pop_back();
  return reason;
}

bool isFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

HANDLE handleOf(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

bool identify(HANDLE handle, FileId* id, uint64_t* size) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) return false;
  id->device = info.dwVolumeSerialNumber;
  id->inode = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  *size = GetFileType(handle) == FILE_TYPE_DISK
              ? (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow
              : 0;
  return true;
}

// Whether the path names one of the files, asked without opening it for
// reading or writing, which works even while those are held exclusively.
bool namesOneOf(const std::wstring& path, std::span<const FileId> files) {
  HANDLE handle = CreateFileW(path.c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  FileId id;
  uint64_t size = 0;
  const bool known = identify(handle, &id, &size);
  CloseHandle(handle);
  return known && std::find(files.begin(), files.end(), id) != files.end();
}

}  // namespace

File::~File() {
  std::string ignored;
  close(&ignored);
}

bool File::openForRead(const std::string& path, std::string* error) {
  std::string ignored;
  close(&ignored);
  const std::wstring wide = widePath(path);
  if (isFolder(wide)) {
    *error = "Is a directory";
    return false;
  }
  HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    *error = errorText(GetLastError());
    return false;
  }
  if (!identify(handle, &id_, &size_)) {
    *error = errorText(GetLastError());
    CloseHandle(handle);
    return false;
  }
  handle_ = reinterpret_cast<intptr_t>(handle);
  return true;
}

bool File::openForWrite(const std::string& path,
                        std::span<const FileId> mustDiffer,
                        std::string* error) {
  std::string ignored;
  close(&ignored);
  const std::wstring wide = widePath(path);
  if (isFolder(wide)) {
    *error = "Is a directory";
    return false;
  }
  // OPEN_ALWAYS creates a missing file and keeps an existing one as it is;
  // with no sharing the handle holds the file before it is emptied.
  HANDLE handle = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    // The file being read is held exclusively too: say so plainly.
    *error = code == ERROR_SHARING_VIOLATION && namesOneOf(wide, mustDiffer)
                 ? "is the same file as the one being read"
                 : errorText(code);
    return false;
  }
  FileId id;
  uint64_t size = 0;
  if (!identify(handle, &id, &size)) {
    *error = errorText(GetLastError());
    CloseHandle(handle);
    return false;
  }
  if (std::find(mustDiffer.begin(), mustDiffer.end(), id) != mustDiffer.end()) {
    *error = "is the same file as the one being read";
    CloseHandle(handle);
    return false;
  }
  if (GetFileType(handle) == FILE_TYPE_DISK && !SetEndOfFile(handle)) {
    *error = errorText(GetLastError());
    CloseHandle(handle);
    return false;
  }
  handle_ = reinterpret_cast<intptr_t>(handle);
  id_ = id;
  size_ = 0;
  return true;
}

bool File::readAt(uint64_t offset, char* buffer, size_t n, size_t* got,
                  std::string* error) {
  size_t done = 0;
  while (done < n) {
    OVERLAPPED at = {};
    const uint64_t position = offset + done;
    at.Offset = static_cast<DWORD>(position);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    const DWORD want = static_cast<DWORD>(std::min<size_t>(n - done, 1u << 30));
    DWORD read = 0;
    if (!ReadFile(handleOf(handle_), buffer + done, want, &read, &at)) {
      const DWORD code = GetLastError();
      if (code == ERROR_HANDLE_EOF) break;
      *error = errorText(code);
      *got = done;
      return false;
    }
    if (read == 0) break;
    done += read;
  }
  *got = done;
  return true;
}

bool File::read(char* buffer, size_t n, size_t* got, std::string* error) {
  // Reads at an offset move the handle's own position, so read() keeps one.
  if (!readAt(readPosition_, buffer, n, got, error)) return false;
  readPosition_ += *got;
  return true;
}

bool File::write(const char* data, size_t n, std::string* error) {
  while (n > 0) {
    const DWORD want = static_cast<DWORD>(std::min<size_t>(n, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(handleOf(handle_), data, want, &written, nullptr)) {
      *error = errorText(GetLastError());
      return false;
    }
    if (written == 0) {
      *error = "the write made no progress";
      return false;
    }
    data += written;
    n -= written;
  }
  return true;
}

bool File::close(std::string* error) {
  if (handle_ == kNoHandle) return true;
  HANDLE handle = handleOf(handle_);
  handle_ = kNoHandle;
  id_ = FileId{};
  size_ = 0;
  readPosition_ = 0;
  if (!CloseHandle(handle)) {
    *error = errorText(GetLastError());
    return false;
  }
  return true;
}

}  // namespace strewgen
