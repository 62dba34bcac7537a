#ifndef STREWGEN_PLATFORM_FILE_H_
#define STREWGEN_PLATFORM_FILE_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace strewgen {

// Where a file lives on its file system: two paths name the same file
// exactly when their ids are equal (links and other spellings included).
struct FileId {
  uint64_t device = 0;
  uint64_t inode = 0;
  bool operator==(const FileId&) const = default;
};

// An open file held for exclusive use: while one File holds it, a second
// open of the same file, by this process or another strewgen process, fails.
// Every operation that can fail returns false and puts the operating
// system's reason (without the file name) into *error.
class File {
 public:
  File() = default;
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens an existing file for reading. A folder is refused.
  bool openForRead(const std::string& path, std::string* error);

  // Opens a file for writing, creating it when it is missing. The file is
  // locked before anything else happens to it, and emptied only then, so a
  // file held elsewhere is never truncated. When the path names one of the
  // files in `mustDiffer` (by any name or link), the open fails and the file
  // is untouched.
  bool openForWrite(const std::string& path, std::span<const FileId> mustDiffer,
                    std::string* error);

  bool isOpen() const { return handle_ != kNoHandle; }
  FileId id() const { return id_; }
  // The size of the file when it was opened.
  uint64_t sizeAtOpen() const { return size_; }

  // Reads up to n bytes from the given offset. *got is smaller than n only
  // when the end of the file comes first.
  bool readAt(uint64_t offset, char* buffer, size_t n, size_t* got,
              std::string* error);

  // Reads up to n bytes from where the previous read() ended (the start of
  // the file at first), whatever readAt() did; *got is 0 at the end.
  bool read(char* buffer, size_t n, size_t* got, std::string* error);

  // Writes all n bytes at the current position; a write taken only in part
  // is retried, and one that makes no progress is a failure.
  bool write(const char* data, size_t n, std::string* error);

  // Closes the file. Closing a File that holds nothing succeeds.
  bool close(std::string* error);

 private:
  static constexpr intptr_t kNoHandle = -1;
  intptr_t handle_ = kNoHandle;
  FileId id_;
  uint64_t size_ = 0;
  uint64_t readPosition_ = 0;  // where read() goes on
};

}  // namespace strewgen

#endif  // STREWGEN_PLATFORM_FILE_H_
