#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <thread>

#include "support/files.h"
#include "support/temp_folder.h"
#include "dialogs/file_error.h"
#include "dialogs/replacing_file.h"

namespace quorvane {
namespace {

using testsupport::readText;
using testsupport::TempFolder;
using testsupport::writeFile;

// The old file stays until the commit (a process killed before it leaves the old file),
// through a discard and through destruction without a commit.
TEST(ReplacingFile, TheDestinationChangesOnlyOnCommit) {
  TempFolder dir;
  const std::string path = dir.write("f.txt", "old");
  {
    ReplacingFile file;
    ASSERT_TRUE(file.open(path));
    file.write("half");
  }
  EXPECT_EQ(readText(path), "old");
  ReplacingFile file;
  ASSERT_TRUE(file.open(path));
  file.write("half");
  file.discard();
  EXPECT_FALSE(file.commit());
  EXPECT_EQ(readText(path), "old");
  EXPECT_EQ(dir.count(), 1u);
  ASSERT_TRUE(file.open(path));
  ASSERT_TRUE(file.write("new"));
  EXPECT_EQ(readText(path), "old");
  EXPECT_EQ(dir.count(), 2u);
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(readText(path), "new");
  EXPECT_EQ(dir.count(), 1u);
  ASSERT_TRUE(file.open(dir.at("new.txt")));  // a new, large file
  ASSERT_TRUE(file.write(std::string(3 << 20, 'x')));
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(std::filesystem::file_size(dir.at("new.txt")), 3u << 20);
}

TEST(ReplacingFile, RefusesWhatCannotBeWritten) {
  TempFolder dir;
  ReplacingFile file;
  EXPECT_FALSE(file.open(""));
  EXPECT_EQ(file.classification(), fileError::kBadName);
  EXPECT_FALSE(file.open(dir.at("missing/f.txt")));
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
         mkfifo(d.at("fifo").c_str(), 0600);
         reader = std::thread([&fromFifo, p = d.at("fifo")] { fromFifo = readText(p); });
         return d.at("fifo");
       },
       [&](const TempFolder& d) {
         reader.join();
         EXPECT_EQ(fromFifo, "new");
         EXPECT_TRUE(fs::is_fifo(d.at("fifo")));
       }},
      {"a device is written into, never replaced", [](const TempFolder&) { return std::string("/dev/null"); },
       [](const TempFolder&) { EXPECT_TRUE(fs::is_character_file("/dev/null")); }},
      {"a file the shell opened (/dev/stdout) is written into as opened",
       [&](const TempFolder& d) {
         writeFile(d.at("log.txt"), "old");
         shellOpened = ::open(d.at("log.txt").c_str(), O_WRONLY | O_APPEND);
         return "/proc/self/fd/" + std::to_string(shellOpened);
       },
       [&](const TempFolder& d) {
         ::close(shellOpened);
         EXPECT_EQ(readText(d.at("log.txt")), "oldnew");
         EXPECT_EQ(d.count(), 1u);
       }},
      {"a link stays and its file is replaced",
       [](const TempFolder& d) {
         writeFile(d.at("real.txt"), "old");
         chmod(d.at("real.txt").c_str(), 0640);
         fs::create_symlink("real.txt", d.at("link.txt"));
         return d.at("link.txt");
       },
       [](const TempFolder& d) {
         EXPECT_TRUE(fs::is_symlink(fs::symlink_status(d.at("link.txt"))));
         EXPECT_EQ(readText(d.at("real.txt")), "new");
         EXPECT_EQ(fs::status(d.at("real.txt")).permissions(), fs::perms(0640));
         EXPECT_EQ(d.count(), 2u);
       }},
      {"a link to a missing file creates that file",
       [](const TempFolder& d) {
         fs::create_symlink("later.txt", d.at("dangling"));
         return d.at("dangling");
       },
       [](const TempFolder& d) {
         EXPECT_TRUE(fs::is_symlink(fs::symlink_status(d.at("dangling"))));
         EXPECT_EQ(readText(d.at("later.txt")), "new");
       }},
      {"a name at the length limit still gets a temporary name",
       [&](const TempFolder& d) {
         writeFile(d.at(longName), "old");
         return d.at(longName);
       },
       [&](const TempFolder& d) {
         EXPECT_EQ(readText(d.at(longName)), "new");
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
    writeFile(dir.at("f.txt"), "old");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ReplacingFile file;
      if (file.open(dir.at("f.txt")) && file.write("half")) std::raise(signalNumber);
      _exit(99);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber);
    EXPECT_EQ(readText(dir.at("f.txt")), "old");
    EXPECT_EQ(dir.count(), 1u);
  }
}

}  // namespace
}  // namespace quorvane
