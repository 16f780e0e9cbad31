#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace quorvane {

class clsFileVersion;

// The number of threads that read files when a run does not say: one per core, and at
// least 4, so that the waits of slow media and network shares overlap even on a small
// machine.
unsigned defaultReadThreads();

// Reads the files of a run on a few threads ahead of the run's own loop, which takes the
// results one by one, in order, on its own thread; so every callback of the run still
// comes from the caller's thread in the order it always came.
//
// `work(reader, i)` does file i with the worker's own reader and returns true when the
// reader now holds something the loop may want to look at (the run's fileRead hook).
// Each index is worked on exactly once, by one worker; what `work` writes for index i is
// visible to the loop once take(i) returned. With `holdReaders`, a worker whose work
// returned true waits, before its next file, until the loop released that index, so that
// the loop can read the reader in between; the pool then runs at most one file per
// worker ahead of the loop.
class ReadAheadPool {
 public:
  using Work = std::function<bool(clsFileVersion& reader, std::size_t index)>;

  // `firstReader` serves the first worker (the caller's reader, reused across runs);
  // the others get readers of their own.
  ReadAheadPool(std::size_t count, unsigned threads, clsFileVersion& firstReader, bool holdReaders, Work work);
  // Stops handing out files, lets held workers go and waits for all of them; a file
  // being read is finished first.
  ~ReadAheadPool();
  ReadAheadPool(const ReadAheadPool&) = delete;
  ReadAheadPool& operator=(const ReadAheadPool&) = delete;

  // Waits until index `i` is done. Returns the reader that holds it when held, else null.
  // An exception thrown by `work` for that index is thrown here.
  clsFileVersion* take(std::size_t i);
  // Lets the worker holding index `i` (if any) go on; indices are released in order.
  void release(std::size_t i);

 private:
  // A file's slot goes Pending -> Done, or Pending -> Held -> Released when the loop
  // must look at the worker's reader before that worker goes on.
  enum SlotState : std::uint8_t { kPending, kDone, kHeld, kReleased };
  static constexpr std::size_t kNobody = static_cast<std::size_t>(-1);

  void runWorker(clsFileVersion& reader);
  void finish(std::size_t i, SlotState state);

  const std::size_t m_count;
  const bool m_hold;
  Work m_work;
  std::vector<std::unique_ptr<clsFileVersion>> m_ownReaders;

  // Files are handed out and reported per slot without a shared lock, so that the workers
  // never queue behind each other; the mutex only guards the two sleeps, and a worker
  // takes it only when someone actually sleeps on what it just did.
  std::atomic<std::size_t> m_next{0};             // next index to hand out
  std::atomic<bool> m_stop{false};
  std::unique_ptr<std::atomic<SlotState>[]> m_state;
  std::vector<clsFileVersion*> m_heldBy;         // written before the slot leaves Pending
  std::vector<std::exception_ptr> m_errors;      // likewise
  std::atomic<std::size_t> m_loopWaitsFor{kNobody};
  std::size_t m_releasedUpTo = 0;                // the loop's own: indices below are released

  std::mutex m_mutex;
  std::condition_variable m_doneChanged;      // the loop sleeps here for its index
  std::condition_variable m_releaseChanged;   // held workers sleep here

  std::vector<std::thread> m_threads;
};

}  // namespace quorvane
