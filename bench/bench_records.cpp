// Version records at scale: writing and reading a 1,000,000-row record, and comparing
// two such records in index mode and in scan mode (one double-byte name). Each step
// runs in a child process so that its peak memory is its own.
// Targets on the reference machine: each step under 2 s, peak memory under 600 MB.
// The machine may be shared: the child's CPU time is printed beside the wall time.
//   bench_records [rows] [folder]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "compare/compare_engine.h"
#include "compare/record_reader.h"
#include "compare/record_writer.h"

namespace {

using namespace quorvane;
using Clock = std::chrono::steady_clock;

std::string name(long i) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "file%07ld.dll", i);
  return buf;
}

// A record of `rows` files; `variant` 1 changes every 100th file, drops every 250th and
// adds files past the end, as a later state of the same folder.
ExtractionResult makeExtraction(long rows, int variant, bool doubleByteName) {
  ExtractionResult r;
  r.Entries.reserve(static_cast<std::size_t>(rows));
  for (long i = 0; i < rows; ++i) {
    if (variant == 1 && i % 250 == 7) continue;
    FileVersionEntry e;
    e.FullPath = "/data/" + name(i);
    e.NamePos = 7;
    e.FixedVersion = "10.0." + std::to_string(i % 20000) + "." + std::to_string(variant == 1 && i % 100 == 3 ? 2 : 1);
    e.StringVersion = "10.0." + std::to_string(i % 20000) + ".1 (WinBuild)";
    e.Size = 4096 + i;
    e.Date = "21/01/02";
    e.Time = "12:34:56";
    r.DisplayNames.push_back(doubleByteName && i == rows / 2 ? "日本語.dll" : name(i));
    r.Entries.push_back(std::move(e));
  }
  for (long i = 0; variant == 1 && i < rows / 500; ++i) {
    FileVersionEntry e;
    e.FullPath = "/data/" + name(rows + i);
    e.Date = "21/01/03";
    e.Time = "00:00:00";
    r.DisplayNames.push_back(name(rows + i));
    r.Entries.push_back(std::move(e));
  }
  r.LastIndex = static_cast<std::int32_t>(r.Entries.size()) - 1;
  for (std::int32_t i = 0; i <= r.LastIndex; ++i) r.Order.push_back(i);
  r.RunDate = "21/01/02";
  r.RunTime = "12:00:00";
  r.RunFolder = "/data";
  r.RunKind = "*.DLL *.OCX *.OLB *.TLB";
  return r;
}

// Runs `step` in a child; prints its own timing line and the child's peak memory.
bool inChild(const char* title, const std::function<bool(double& seconds)>& step) {
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    double seconds = 0;
    const bool ok = step(seconds);
    std::printf("%-44s %7.3f s", title, seconds);
    std::fflush(stdout);
    _exit(ok ? 0 : 1);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  std::printf("   (child cpu %6.3f s)   peak %6.1f MB%s\n", cpu, static_cast<double>(usage.ru_maxrss) / 1024.0,
              WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "" : "   FAILED");
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
  const std::filesystem::path dir = argc > 2 ? argv[2] : std::filesystem::temp_directory_path() / "quorvane-bench";
  std::filesystem::create_directories(dir);
  const std::string first = (dir / "first.txt").string();
  const std::string second = (dir / "second.txt").string();
  const std::string firstDbcs = (dir / "first-dbcs.txt").string();
  std::printf("rows: %ld, folder: %s\n", rows, dir.string().c_str());

  bool ok = inChild("write a record (OutputVersionRecord)", [&](double& s) {
    const ExtractionResult r = makeExtraction(rows, 0, false);
    const auto start = Clock::now();
    const bool written = OutputVersionRecord(r, first).ok();
    s = since(start);
    return written;
  });
  // The other two records, untimed.
  ok = inChild("(prepare the second record)", [&](double&) {
    return OutputVersionRecord(makeExtraction(rows, 1, false), second).ok();
  }) && ok;
  ok = inChild("(prepare a first record with one double-byte name)", [&](double&) {
    return OutputVersionRecord(makeExtraction(rows, 0, true), firstDbcs).ok();
  }) && ok;
  ok = inChild("read a record (ReadRecordFile)", [&](double& s) {
    const auto start = Clock::now();
    const auto read = ReadRecordFile(first);
    s = since(start);
    return read.ok() && static_cast<long>(read.Entries.size()) == rows;
  }) && ok;
  for (const auto& [title, path] : {std::pair{"compare two records, index mode", first},
                                    std::pair{"compare two records, one double-byte name", firstDbcs}}) {
    ok = inChild(title, [&, path = path](double& s) {
      const auto start = Clock::now();
      const auto run = CompareVersionRecords(path, SecondSide::record(second), {});
      s = since(start);
      std::printf("[added %zu updated %zu deleted %zu unchanged %zu] ", run.Result.Added.size(),
                  run.Result.Updated.size(), run.Result.Deleted.size(), run.Result.Unchanged.size());
      return run.ok();
    }) && ok;
  }
  std::filesystem::remove(first);
  std::filesystem::remove(second);
  std::filesystem::remove(firstDbcs);
  return ok ? 0 : 1;
}
