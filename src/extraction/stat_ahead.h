#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/platform.h"
#include "extraction/skipped_file.h"

namespace quorvane::basDirUtil {

// What a run read of a listed file while the listing went on (see ReadWhileListing).
struct EarlyRead {
  bool done = false;                // read (or tried): the run does not read it again
  std::optional<SkipReason> fault;  // why it could not be read
};

// One file the listing found, waiting to be examined. Kept small: a large folder holds
// one of these per file until the last is examined.
struct ListedFile {
  std::string path;
  std::optional<platform::FileFacts> facts;  // what platform::fileFacts(path) gave
  std::string fixedVersion;                  // read early, else empty
  std::string stringVersion;
  EarlyRead early;
};

// Examines listed files (platform::fileFacts) on a few threads while the listing goes on, so
// that the listing's thread only reads folders and the examinations overlap each other;
// where the listing already gave the facts (Windows) nothing comes here.
// The listing stays at most `window` files ahead of the workers, which keeps what is left
// to wait for at the end, when no heartbeat turns come, to a few files.
class StatAhead {
 public:
  // Examines one file on worker `worker` (below the thread count), in place of
  // platform::fileFacts: it gives the file its facts and may read it meanwhile.
  using Examine = std::function<void(unsigned worker, ListedFile& file)>;

  // Without `examine`, a file's facts are platform::fileFacts(path).
  StatAhead(unsigned threads, std::size_t window, Examine examine = {});
  // Stops the workers; files not yet examined keep no facts.
  ~StatAhead();
  StatAhead(const StatAhead&) = delete;
  StatAhead& operator=(const StatAhead&) = delete;

  // Queues a file; it must stay where it is until finish() returned. Waits while the
  // workers are a full window behind.
  void add(ListedFile& file);
  // Waits until every queued file is examined.
  void finish();

 private:
  void runWorker(unsigned worker);
  void hand(std::unique_lock<std::mutex>& lock);

  const std::size_t m_window;
  const Examine m_examine;
  std::vector<ListedFile*> m_batch;   // the listing's own: queued, not yet handed over
  std::deque<ListedFile*> m_queue;    // handed over, not yet taken by a worker
  std::size_t m_outstanding = 0;      // handed over and not yet examined
  bool m_stop = false;
  bool m_listingWaits = false;
  std::mutex m_mutex;
  std::condition_variable m_work;     // workers sleep here for files
  std::condition_variable m_progress; // the listing sleeps here for the workers
  std::vector<std::thread> m_threads;
};

}  // namespace quorvane::basDirUtil
