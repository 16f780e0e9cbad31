#include "common/temp_file.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <random>
#include <system_error>

#include "common/platform.h"
#include "common/temp_file_platform.h"

namespace quorvane {

namespace fs = std::filesystem;

namespace {

// The names of the temporary files that exist at this moment, where a signal handler
// can reach them: fixed buffers, since a handler may neither allocate nor lock. A slot's
// name is complete whenever its flag is set.
constexpr std::size_t kSlotCount = 16;
constexpr std::size_t kNameCapacity = 4096;
struct Slot {
  volatile std::sig_atomic_t active = 0;
  char name[kNameCapacity] = {};
};
std::array<Slot, kSlotCount> g_slots;
std::mutex g_slotsMutex;  // taken by the program only, never by a handler

extern "C" void removeTempFilesAndEnd(int signalNumber) {
  for (Slot& slot : g_slots)
    if (slot.active) tempFilePlatform::removeInHandler(slot.name);
  // The signal's own action then ends the program as if we had never been here.
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

void installHandlers() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  tempFilePlatform::installTerminationHandler(removeTempFilesAndEnd);
}

int takeSlot(const std::string& name) {
  if (name.size() >= kNameCapacity) return -1;
  std::lock_guard lock(g_slotsMutex);
  installHandlers();
  for (std::size_t i = 0; i < g_slots.size(); ++i) {
    Slot& slot = g_slots[i];
    if (slot.active) continue;
    std::memcpy(slot.name, name.c_str(), name.size() + 1);
    slot.active = 1;
    return static_cast<int>(i);
  }
  return -1;
}

void giveSlot(int index) {
  if (index < 0) return;
  std::lock_guard lock(g_slotsMutex);
  g_slots[static_cast<std::size_t>(index)].active = 0;
}

// ".qv" and eight random letters or digits: short and unlikely to be taken.
std::string shortName() {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 gen{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string name = ".qv";
  for (int i = 0; i < 8; ++i) name += kLetters[pick(gen)];
  return name + ".tmp";
}

// Holds the termination signals back while a file is created and its name recorded,
// so that a signal finds either no file or a file it knows about.
class SignalsHeld {
 public:
  SignalsHeld() { tempFilePlatform::holdTerminationSignals(); }
  ~SignalsHeld() { tempFilePlatform::releaseTerminationSignals(); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;
};

}  // namespace

TempFile::~TempFile() { remove(); }

bool TempFile::fail(int errnoValue) {
  m_error = errnoValue;
  return false;
}

bool TempFile::create(const std::string& folder, unsigned permissions, TempPermissions mode) {
  remove();
  m_error = 0;
  const fs::path base = folder.empty() ? fs::path(".") : fs::u8path(folder);
  for (int attempt = 0; attempt < 16; ++attempt) {
    const std::u8string name = (base / shortName()).u8string();
    const std::string candidate(name.begin(), name.end());
    [[maybe_unused]] const SignalsHeld held;
    errno = 0;
    m_file = tempFilePlatform::createNew(candidate, permissions, mode);
    if (m_file) {
      m_path = candidate;
      m_slot = takeSlot(candidate);
      return true;
    }
    const int e = errno;
    if (e != EEXIST) return fail(e != 0 ? e : EIO);
  }
  return fail(EEXIST);
}

bool TempFile::placeAs(const std::string& target, bool syncToDisk) {
  if (!m_file) return fail(EBADF);
  bool ok = std::fflush(m_file) == 0 && (!syncToDisk || platform::syncFile(m_file));
  int e = ok ? 0 : errno;
  if (std::fclose(m_file) != 0 && ok) ok = false, e = errno;
  m_file = nullptr;
  if (ok) {
    std::error_code ec;
    fs::rename(fs::u8path(m_path), fs::u8path(target), ec);
    if (ec) ok = false, e = ec.value();
  }
  if (!ok) {
    std::error_code ec;
    fs::remove(fs::u8path(m_path), ec);
    m_error = e != 0 ? e : EIO;
  }
  giveSlot(m_slot);
  m_slot = -1;
  m_path.clear();
  return ok;
}

void TempFile::remove() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
  if (!m_path.empty()) {
    std::error_code ec;
    fs::remove(fs::u8path(m_path), ec);
  }
  giveSlot(m_slot);
  m_slot = -1;
  m_path.clear();
}

}  // namespace quorvane
