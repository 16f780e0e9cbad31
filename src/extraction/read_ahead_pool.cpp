#include "extraction/read_ahead_pool.h"

#include <algorithm>

#include "version/clsFileVersion.h"

namespace quorvane {

unsigned defaultReadThreads() { return std::max(std::thread::hardware_concurrency(), 4u); }

ReadAheadPool::ReadAheadPool(std::size_t count, unsigned threads, clsFileVersion& firstReader, bool holdReaders,
                             Work work)
    : m_count(count), m_hold(holdReaders), m_work(std::move(work)),
      m_state(std::make_unique<std::atomic<SlotState>[]>(count)), m_heldBy(count, nullptr), m_errors(count) {
  for (std::size_t i = 0; i < count; ++i) m_state[i].store(kPending, std::memory_order_relaxed);
  const std::size_t workers = std::max<std::size_t>(1, std::min<std::size_t>(threads, count));
  m_threads.reserve(workers);
  m_threads.emplace_back([this, &firstReader] { runWorker(firstReader); });
  for (std::size_t w = 1; w < workers; ++w) {
    m_ownReaders.push_back(std::make_unique<clsFileVersion>());
    clsFileVersion& reader = *m_ownReaders.back();
    m_threads.emplace_back([this, &reader] { runWorker(reader); });
  }
}

ReadAheadPool::~ReadAheadPool() {
  m_stop.store(true);
  {
    std::lock_guard lock(m_mutex);  // a held worker checks m_stop under the lock
  }
  m_releaseChanged.notify_all();
  for (std::thread& t : m_threads) t.join();
}

void ReadAheadPool::runWorker(clsFileVersion& reader) {
  while (!m_stop.load(std::memory_order_relaxed)) {
    const std::size_t i = m_next.fetch_add(1, std::memory_order_relaxed);
    if (i >= m_count) return;
    bool holds = false;
    try {
      holds = m_work(reader, i);
    } catch (...) {
      m_errors[i] = std::current_exception();
    }
    if (!(holds && m_hold)) {
      finish(i, kDone);
      continue;
    }
    // The loop reads this reader when it reports index i; the next file must wait.
    m_heldBy[i] = &reader;
    finish(i, kHeld);
    std::unique_lock lock(m_mutex);
    m_releaseChanged.wait(lock, [&] { return m_stop.load() || m_state[i].load() != kHeld; });
  }
}

// Publishes slot i, and wakes the loop only when it sleeps on exactly this index. The
// store and the load below pair with the loop's store of m_loopWaitsFor and its load of
// the slot (all sequentially consistent), so one of the two always sees the other.
void ReadAheadPool::finish(std::size_t i, SlotState state) {
  m_state[i].store(state);
  if (m_loopWaitsFor.load() != i) return;
  {
    std::lock_guard lock(m_mutex);
  }
  m_doneChanged.notify_one();
}

clsFileVersion* ReadAheadPool::take(std::size_t i) {
  std::atomic<SlotState>& slot = m_state[i];
  if (slot.load(std::memory_order_acquire) == kPending) {
    std::unique_lock lock(m_mutex);
    m_loopWaitsFor.store(i);
    m_doneChanged.wait(lock, [&] { return slot.load() != kPending; });
    m_loopWaitsFor.store(kNobody);
  }
  if (m_errors[i]) std::rethrow_exception(m_errors[i]);
  return slot.load(std::memory_order_acquire) == kHeld ? m_heldBy[i] : nullptr;
}

void ReadAheadPool::release(std::size_t i) {
  bool woke = false;
  for (; m_releasedUpTo <= i && m_releasedUpTo < m_count; ++m_releasedUpTo) {
    SlotState held = kHeld;
    woke |= m_state[m_releasedUpTo].compare_exchange_strong(held, kReleased);
  }
  if (!woke) return;
  {
    std::lock_guard lock(m_mutex);  // a held worker checks its slot under the lock
  }
  m_releaseChanged.notify_all();
}

}  // namespace quorvane
