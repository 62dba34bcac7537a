// Runs the built binaries in a child process (POSIX systems).

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "tests/test_support.h"

namespace strewgen::test {

RunResult runStrewgenBinary(const std::string& cwd,
                            const std::vector<std::string>& args,
                            int64_t file_size_limit,
                            bool stdout_reader_gone) {
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
    int ends[2];
    if (stdout_reader_gone &&
        (pipe(ends) != 0 || close(ends[0]) != 0 || dup2(ends[1], 1) < 0))
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
