#pragma once

// What the command-line benchmarks share: the floor's reading loop, one timed run of the
// program, and where the program is found.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace benchSupport {

using Clock = std::chrono::steady_clock;

// The floor's work per file: open, read the first 4 KiB, close. Returns the files read.
inline std::size_t readFirstBlocks(const std::vector<std::string>& paths) {
  char buffer[4096];
  std::size_t files = 0;
  for (const std::string& p : paths) {
    const int fd = open(p.c_str(), O_RDONLY);
    if (fd < 0) continue;
    if (read(fd, buffer, sizeof buffer) > 0) ++files;
    close(fd);
  }
  return files;
}

// Runs `args` (the program first) with standard error discarded; seconds, or negative
// when it failed. `peakKiB`, when given, gets the child's peak resident memory, and
// `cpuSeconds` its processor time (user and system, all threads): on a shared machine the
// wall time alone says little.
inline double timedRun(std::vector<std::string> args, long* peakKiB = nullptr, double* cpuSeconds = nullptr) {
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = Clock::now();
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return -1;
  int status = 0;
  struct rusage usage {};
  wait4(pid, &status, 0, &usage);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (peakKiB) *peakKiB = usage.ru_maxrss;
  if (cpuSeconds)
    *cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                  static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

// quorvane-cli of the build the benchmark belongs to.
inline std::string defaultCli(const char* self) {
  std::error_code ec;
  const auto exe = std::filesystem::canonical(self, ec);
  return (exe.parent_path().parent_path() / "src" / "cli" / "quorvane-cli").string();
}

}  // namespace benchSupport
