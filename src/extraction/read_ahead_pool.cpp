#include "extraction/read_ahead_pool.h"

#include <algorithm>

#include "version/clsFileVersion.h"

namespace quorvane {

unsigned defaultReadThreads() { return std::max(std::thread::hardware_concurrency(), 4u); }

ReadAheadPool::ReadAheadPool(std::size_t count, unsigned threads, clsFileVersion& firstReader, bool holdReaders,
                             Work work)
    : m_count(count), m_hold(holdReaders), m_work(std::move(work)), m_done(count, 0), m_heldBy(count, nullptr),
      m_errors(count) {
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
  {
    std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  m_releaseChanged.notify_all();
  for (std::thread& t : m_threads) t.join();
}

void ReadAheadPool::runWorker(clsFileVersion& reader) {
  std::unique_lock lock(m_mutex);
  while (!m_stop && m_next < m_count) {
    const std::size_t i = m_next++;
    lock.unlock();
    bool holds = false;
    std::exception_ptr error;
    try {
      holds = m_work(reader, i);
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    m_errors[i] = error;
    if (holds && m_hold) m_heldBy[i] = &reader;
    m_done[i] = 1;
    m_doneChanged.notify_all();
    // The loop reads this reader when it reports index i; the next file must wait.
    if (m_heldBy[i] != nullptr) m_releaseChanged.wait(lock, [&] { return m_stop || m_released > i; });
  }
}

clsFileVersion* ReadAheadPool::take(std::size_t i) {
  std::unique_lock lock(m_mutex);
  m_doneChanged.wait(lock, [&] { return m_done[i] != 0; });
  if (m_errors[i]) std::rethrow_exception(m_errors[i]);
  return m_heldBy[i];
}

void ReadAheadPool::release(std::size_t i) {
  {
    std::lock_guard lock(m_mutex);
    m_released = std::max(m_released, i + 1);
  }
  m_releaseChanged.notify_all();
}

}  // namespace quorvane
