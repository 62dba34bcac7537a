#include "tests/test_support.h"

#include "map/map_layout.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace strewgen::test {

TempDir::TempDir() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "strewgen-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::file(std::string_view name) const {
  return path_ + "/" + std::string(name);
}

void writeFile(const std::string& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string readFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY);
  struct stat info;
  if (fd < 0 || fstat(fd, &info) != 0)
    throw std::runtime_error("cannot read " + path);
  std::string content(static_cast<size_t>(info.st_size), '\0');
  size_t done = 0;
  while (done < content.size()) {
    ssize_t got = read(fd, content.data() + done, content.size() - done);
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  close(fd);
  content.resize(done);
  return content;
}

uint64_t fileChecksum(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) throw std::runtime_error("cannot read " + path);
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  char buffer[1 << 16];
  ssize_t got;
  while ((got = read(fd, buffer, sizeof buffer)) > 0) {
    for (ssize_t i = 0; i < got; ++i) {
      hash ^= static_cast<unsigned char>(buffer[i]);
      hash *= 1099511628211ull;
    }
  }
  close(fd);
  return hash;
}

bool fileExists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

void makeSparseMap(const std::string& path, int64_t size) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ftruncate(fd, size < 0 ? kMapFileBytes : size) != 0)
    throw std::runtime_error("cannot make map " + path);
  close(fd);
}

void putBytes(const std::string& path, int64_t offset, std::string_view bytes) {
  int fd = open(path.c_str(), O_WRONLY);
  if (fd < 0 ||
      pwrite(fd, bytes.data(), bytes.size(), offset) !=
          static_cast<ssize_t>(bytes.size()))
    throw std::runtime_error("cannot write into " + path);
  close(fd);
}

void putCell(const std::string& path, int x, int y, uint16_t tile_id,
             int8_t altitude) {
  const char cell[3] = {static_cast<char>(tile_id & 0xFF),
                        static_cast<char>(tile_id >> 8),
                        static_cast<char>(altitude)};
  putBytes(path, cellOffset(x, y), std::string_view(cell, 3));
}

RunResult runStrewgenBinary(const std::string& cwd,
                            const std::vector<std::string>& args,
                            int64_t file_size_limit) {
  TempDir capture;
  const std::string out_path = capture.file("stdout");
  const std::string err_path = capture.file("stderr");
  pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int in = open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || in < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
        dup2(in, 0) < 0 || chdir(cwd.c_str()) != 0)
      _exit(127);
    if (file_size_limit > 0) {
      const rlim_t limit = static_cast<rlim_t>(file_size_limit);
      struct rlimit size_limit = {limit, limit};
      if (setrlimit(RLIMIT_FSIZE, &size_limit) != 0) _exit(127);
    }
    std::vector<char*> argv;
    std::string program = STREWGEN_BINARY;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int wait_status = 0;
  while (waitpid(child, &wait_status, 0) < 0) {
  }
  RunResult result;
  result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  result.out = readFile(out_path);
  result.err = readFile(err_path);
  return result;
}

}  // namespace strewgen::test
