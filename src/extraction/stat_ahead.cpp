#include "extraction/stat_ahead.h"

#include <algorithm>

namespace quorvane::basDirUtil {

namespace {
// The listing hands files over in batches, so that it takes the lock and wakes a worker
// once per batch rather than once per file: measured, smaller batches cost more processor
// time in switches than the earlier start saves. A worker takes fewer at a time, so that
// on a slow share the files waited for are spread over all workers.
constexpr std::size_t kBatch = 64;
constexpr std::size_t kTake = 16;
}  // namespace

StatAhead::StatAhead(unsigned threads, std::size_t window, Examine examine)
    : m_window(std::max(window, 2 * kBatch)), m_examine(std::move(examine)) {
  m_batch.reserve(kBatch);
  const unsigned workers = std::max(threads, 1u);
  m_threads.reserve(workers);
  for (unsigned w = 0; w < workers; ++w) m_threads.emplace_back([this, w] { runWorker(w); });
}

StatAhead::~StatAhead() {
  {
    std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  m_work.notify_all();
  for (std::thread& t : m_threads) t.join();
}

void StatAhead::add(ListedFile& file) {
  m_batch.push_back(&file);
  if (m_batch.size() < kBatch) return;
  std::unique_lock lock(m_mutex);
  hand(lock);
  // The listing goes on as soon as there is room for one more batch: its heartbeat turns
  // then come about as often as when it examined the files itself.
  if (m_outstanding < m_window) return;
  m_listingWaits = true;
  m_progress.wait(lock, [&] { return m_outstanding + kBatch <= m_window; });
  m_listingWaits = false;
}

void StatAhead::finish() {
  std::unique_lock lock(m_mutex);
  hand(lock);
  m_listingWaits = true;
  m_progress.wait(lock, [&] { return m_outstanding == 0; });
  m_listingWaits = false;
}

void StatAhead::hand(std::unique_lock<std::mutex>&) {
  if (m_batch.empty()) return;
  m_queue.insert(m_queue.end(), m_batch.begin(), m_batch.end());
  m_outstanding += m_batch.size();
  m_batch.clear();
  m_work.notify_one();
}

void StatAhead::runWorker(unsigned worker) {
  std::vector<ListedFile*> mine;
  mine.reserve(kTake);
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_work.wait(lock, [&] { return m_stop || !m_queue.empty(); });
    if (m_stop) return;
    const std::size_t n = std::min(kTake, m_queue.size());
    mine.assign(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(n));
    m_queue.erase(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(n));
    // More waiting than one worker takes: another worker may start on it meanwhile.
    if (!m_queue.empty()) m_work.notify_one();
    lock.unlock();
    for (ListedFile* file : mine) {
      if (m_examine) m_examine(worker, *file);
      else file->facts = platform::fileFacts(file->path);
    }
    lock.lock();
    m_outstanding -= n;
    const bool wake = m_listingWaits && (m_outstanding == 0 || m_outstanding + kBatch <= m_window);
    if (wake) m_progress.notify_one();
  }
}

}  // namespace quorvane::basDirUtil
