#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <thread>

#include "compare/record_test_support.h"
#include "dialogs/file_error.h"
#include "dialogs/replacing_file.h"

namespace quorvane {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

TEST(ReplacingFile, TheDestinationChangesOnlyOnCommit) {
  TempFolder dir;
  const std::string path = dir.file("f.txt");
  writeBytes(path, "old");
  ReplacingFile file;
  ASSERT_TRUE(file.open(path));
  ASSERT_TRUE(file.write("new"));
  EXPECT_EQ(readBytes(path), "old");  // a process killed here leaves the old file
  EXPECT_EQ(dir.count(), 2u);
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(readBytes(path), "new");
  EXPECT_EQ(dir.count(), 1u);
}

TEST(ReplacingFile, DiscardAndDestructionLeaveTheOldFile) {
  TempFolder dir;
  const std::string path = dir.file("f.txt");
  writeBytes(path, "old");
  {
    ReplacingFile file;
    ASSERT_TRUE(file.open(path));
    file.write("half");
  }
  EXPECT_EQ(readBytes(path), "old");
  ReplacingFile file;
  ASSERT_TRUE(file.open(path));
  file.write("half");
  file.discard();
  EXPECT_FALSE(file.commit());
  EXPECT_EQ(readBytes(path), "old");
  EXPECT_EQ(dir.count(), 1u);
}

TEST(ReplacingFile, CreatesANewFile) {
  TempFolder dir;
  ReplacingFile file;
  ASSERT_TRUE(file.open(dir.file("new.txt")));
  ASSERT_TRUE(file.write(std::string(3 << 20, 'x')));
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(std::filesystem::file_size(dir.file("new.txt")), 3u << 20);
}

TEST(ReplacingFile, RefusesWhatCannotBeWritten) {
  TempFolder dir;
  ReplacingFile file;
  EXPECT_FALSE(file.open(""));
  EXPECT_EQ(file.classification(), fileError::kBadName);
  EXPECT_FALSE(file.open(dir.file("missing/f.txt")));
  EXPECT_EQ(file.classification(), fileError::kBadName);
  EXPECT_FALSE(file.open(dir.path().string()));
  EXPECT_EQ(file.classification(), fileError::kUnknown);
  EXPECT_FALSE(file.write("x"));
  EXPECT_FALSE(file.commit());
}

// Destinations that are not a plain file in a folder: each is set up, written with "new"
// and checked afterwards.
TEST(ReplacingFile, SpecialDestinations) {
  namespace fs = std::filesystem;
  struct Case {
    const char* what;
    std::function<std::string(const TempFolder&)> setUp;  // gives the destination
    std::function<void(const TempFolder&)> check;
  };
  std::string fromFifo;
  std::thread reader;
  int shellOpened = -1;
  const std::string longName = std::string(255 - 4, 'n') + ".txt";  // at the file-name limit
  const Case cases[] = {
      {"a FIFO is written into, not replaced",
       [&](const TempFolder& d) {
         mkfifo(d.file("fifo").c_str(), 0600);
         reader = std::thread([&fromFifo, p = d.file("fifo")] { fromFifo = readBytes(p); });
         return d.file("fifo");
       },
       [&](const TempFolder& d) {
         reader.join();
         EXPECT_EQ(fromFifo, "new");
         EXPECT_TRUE(fs::is_fifo(d.file("fifo")));
       }},
      {"a device is written into, never replaced", [](const TempFolder&) { return std::string("/dev/null"); },
       [](const TempFolder&) { EXPECT_TRUE(fs::is_character_file("/dev/null")); }},
      {"a file the shell opened (/dev/stdout) is written into as opened",
       [&](const TempFolder& d) {
         writeBytes(d.file("log.txt"), "old");
         shellOpened = ::open(d.file("log.txt").c_str(), O_WRONLY | O_APPEND);
         return "/proc/self/fd/" + std::to_string(shellOpened);
       },
       [&](const TempFolder& d) {
         ::close(shellOpened);
         EXPECT_EQ(readBytes(d.file("log.txt")), "oldnew");
         EXPECT_EQ(d.count(), 1u);
       }},
      {"a link stays and its file is replaced",
       [](const TempFolder& d) {
         writeBytes(d.file("real.txt"), "old");
         chmod(d.file("real.txt").c_str(), 0640);
         fs::create_symlink("real.txt", d.file("link.txt"));
         return d.file("link.txt");
       },
       [](const TempFolder& d) {
         EXPECT_TRUE(fs::is_symlink(fs::symlink_status(d.file("link.txt"))));
         EXPECT_EQ(readBytes(d.file("real.txt")), "new");
         EXPECT_EQ(fs::status(d.file("real.txt")).permissions(), fs::perms(0640));
         EXPECT_EQ(d.count(), 2u);
       }},
      {"a link to a missing file creates that file",
       [](const TempFolder& d) {
         fs::create_symlink("later.txt", d.file("dangling"));
         return d.file("dangling");
       },
       [](const TempFolder& d) {
         EXPECT_TRUE(fs::is_symlink(fs::symlink_status(d.file("dangling"))));
         EXPECT_EQ(readBytes(d.file("later.txt")), "new");
       }},
      {"a name at the length limit still gets a temporary name",
       [&](const TempFolder& d) {
         writeBytes(d.file(longName), "old");
         return d.file(longName);
       },
       [&](const TempFolder& d) {
         EXPECT_EQ(readBytes(d.file(longName)), "new");
         EXPECT_EQ(d.count(), 1u);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder dir;
    ReplacingFile file;
    ASSERT_TRUE(file.open(c.setUp(dir)));
    ASSERT_TRUE(file.write("new"));
    ASSERT_TRUE(file.commit());
    c.check(dir);
  }
}

// A program ended by a signal while it saves leaves the old file and no temporary file.
TEST(ReplacingFile, EndingSignalsRemoveTheTemporaryFile) {
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signalNumber);
    TempFolder dir;
    writeBytes(dir.file("f.txt"), "old");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ReplacingFile file;
      if (file.open(dir.file("f.txt")) && file.write("half")) std::raise(signalNumber);
      _exit(99);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber);
    EXPECT_EQ(readBytes(dir.file("f.txt")), "old");
    EXPECT_EQ(dir.count(), 1u);
  }
}

}  // namespace
}  // namespace quorvane
