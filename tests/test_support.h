#ifndef STREWGEN_TESTS_TEST_SUPPORT_H_
#define STREWGEN_TESTS_TEST_SUPPORT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/console.h"

namespace strewgen::test {

// Whether the tests run on a POSIX system, with its devices (/dev/full)
// and symbolic links; some fault tests need them.
inline constexpr bool kPosixSystem = STREWGEN_TEST_POSIX;

// A console that keeps what was printed.
class CapturedConsole : public Console {
 public:
  void print(std::string_view text) override { out += text; }
  void printErrorLine(std::string_view line) override {
    err += line;
    err += '\n';
  }
  std::string out;
  std::string err;
};

// One world item record as the writer formats it.
std::string worldItemRecord(int32_t x, int32_t y, int32_t z, int32_t item_id,
                            int32_t serial, int32_t colour = 0);

// A fresh folder under the system's temporary folder, removed with all its
// content when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(std::string_view name) const;

 private:
  std::string path_;
};

void writeFile(const std::string& path, std::string_view content);
std::string readFile(const std::string& path);
// A 64-bit FNV-1a checksum of a file's bytes, read without holding them.
uint64_t fileChecksum(const std::string& path);
bool fileExists(const std::string& path);

// A map file of `size` zero bytes (a whole world by default), made sparse so
// that it costs neither time nor disk.
void makeSparseMap(const std::string& path, int64_t size = -1);
// Writes bytes into an existing file at an offset.
void putBytes(const std::string& path, int64_t offset, std::string_view bytes);
// Writes one cell's tile id and altitude into a map file.
void putCell(const std::string& path, int x, int y, uint16_t tile_id,
             int8_t altitude);

// What a run of the strewgen binary left behind.
struct RunResult {
  int status = -1;  // exit status; -1 when killed by a signal
  std::string out;
  std::string err;
};

// Runs the built strewgen binary with the given arguments (not the program
// name) in the folder `cwd`, with standard input closed. A positive
// `file_size_limit` caps, in bytes, the files the run may write; with
// `stdout_reader_gone`, standard output is a pipe nobody reads any more.
RunResult runStrewgenBinary(const std::string& cwd,
                            const std::vector<std::string>& args,
                            int64_t file_size_limit = 0,
                            bool stdout_reader_gone = false);

}  // namespace strewgen::test

#endif  // STREWGEN_TESTS_TEST_SUPPORT_H_
