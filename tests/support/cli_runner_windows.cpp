#include <windows.h>

#include <stdexcept>
#include <string>

#include "common/wide_text.h"
#include "support/cli_runner.h"
#include "support/files.h"
#include "support/temp_folder.h"

namespace quorvane::testsupport {

namespace {

std::wstring wide(const std::string& utf8) {
  const auto w = wideText::fromUtf8(utf8);
  if (!w) throw std::runtime_error("not UTF-8: " + utf8);
  return *w;
}

// One argument as CommandLineToArgvW reads it back: quoted, with the backslashes before
// a quote (and before the closing quote) doubled.
std::wstring quoted(const std::wstring& arg) {
  std::wstring q = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    q.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    q += c;
  }
  q.append(backslashes * 2, L'\\');
  return q + L"\"";
}

// A handle to a new file that the child inherits.
HANDLE inheritable(const std::wstring& name, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE h = CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE)
    throw std::runtime_error("cannot open " + wideText::toUtf8(name) + " for the program's streams (error " +
                             std::to_string(GetLastError()) + ")");
  return h;
}

}  // namespace

CliRun runCli(const std::filesystem::path& workingFolder, const std::vector<std::string>& args, CliOutput output) {
  if (output != CliOutput::Captured) throw std::runtime_error("only captured output is possible on Windows");
  const std::filesystem::path exe = std::filesystem::path(QUORVANE_BINARY_DIR) / "src" / "cli" / "quorvane-cli.exe";
  if (!std::filesystem::exists(exe)) throw std::runtime_error("build quorvane-cli first: " + exe.string());
  const TempFolder capture("cli_output");
  std::wstring commandLine = quoted(exe.wstring());
  for (const std::string& a : args) commandLine += L" " + quoted(wide(a));

  // An empty file as standard input: no input, without depending on the null device.
  const HANDLE in = inheritable((capture.path() / "in").wstring(), GENERIC_READ, CREATE_ALWAYS);
  const HANDLE out = inheritable((capture.path() / "out").wstring(), GENERIC_WRITE, CREATE_ALWAYS);
  const HANDLE err = inheritable((capture.path() / "err").wstring(), GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  // Local times in the output are UTC because the tests' Wine runs with TZ=UTC, which
  // the child inherits with the rest of the environment.
  const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                      workingFolder.wstring().c_str(), &startup, &process);
  CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) throw std::runtime_error("cannot start " + exe.string());
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  CliRun run;
  if (GetExitCodeProcess(process.hProcess, &code)) run.status = static_cast<int>(code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.out = readText(capture.path() / "out");
  run.err = readText(capture.path() / "err");
  return run;
}

}  // namespace quorvane::testsupport
