// A file size limit (POSIX only): the writer reports the failed write
// instead of being killed by SIGXFSZ, and keeps what the limit allowed.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "output/world_item_writer.h"
#include "platform/start_up.h"
#include "tests/test_support.h"

namespace strewgen {
namespace {

TEST(WorldItemWriter, AFileSizeLimitIsReportedAndEarlierBytesKept) {
  test::TempDir dir;
  const std::string path = dir.file("items.wsc");
  constexpr rlim_t kLimit = 100000;
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    struct rlimit limit = {kLimit, kLimit};
    if (!startUp() || setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(2);
    WorldItemWriter writer;
    if (!writer.open(path)) _exit(3);
    for (int32_t serial = 0; serial < 5000; ++serial)
      writer.writeWorldItem(serial, 1, 2, 3, 0, serial);
    const bool failed = !writer.close();
    _exit(failed && writer.error() == "File too large" ? 0 : 4);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::string expected;
  for (int32_t serial = 0; serial < 5000; ++serial)
    expected += test::worldItemRecord(serial, 1, 2, 3, serial);
  EXPECT_EQ(test::readFile(path), expected.substr(0, kLimit));
}

}  // namespace
}  // namespace strewgen
