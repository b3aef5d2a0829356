#include "platform/thread_team.h"

#include <system_error>

namespace korvel {

ThreadTeam::ThreadTeam(Starter start) : m_start(std::move(start)) {
  if (!m_start) m_start = [](std::function<void(std::stop_token)> f) { return std::jthread(std::move(f)); };
}

bool ThreadTeam::start_workers(int parts) {
  try {
    // A new thread starts from the generation before this job's, so it
    // takes this job even if it first looks after the change in run().
    while (int(m_workers.size()) < parts - 1) {
      const int index = int(m_workers.size()) + 1;
      m_workers.reserve(m_workers.size() + 1);
      m_workers.push_back(m_start([this, index, g = m_generation](std::stop_token stop) { work(stop, index, g); }));
    }
    return true;
  } catch (const std::system_error&) {
  } catch (const std::bad_alloc&) {
  }
  return false;
}

void ThreadTeam::run(int parts, const std::function<void(int)>& part) {
  if (parts <= 0) return;
  std::lock_guard one_job(m_one_job);
  if (parts == 1) {
    part(0);
    return;
  }
  {
    std::unique_lock lock(m_mutex);
    if (!start_workers(parts)) {
      // No other thread takes a part: each is drawn here, as one thread would.
      lock.unlock();
      for (int i = 0; i < parts; ++i) part(i);
      return;
    }
    m_part = &part;
    m_parts = parts;
    m_running = parts - 1;
    m_failure = nullptr;
    ++m_generation;
  }
  m_wake.notify_all();
  std::exception_ptr own;
  try {
    part(0);
  } catch (...) {
    own = std::current_exception();
  }
  std::unique_lock lock(m_mutex);
  // The other parts use `part` until they end.
  m_finished.wait(lock, [this] { return m_running == 0; });
  m_part = nullptr;
  if (own) std::rethrow_exception(own);
  if (m_failure) std::rethrow_exception(std::exchange(m_failure, nullptr));
}

void ThreadTeam::work(const std::stop_token& stop, int index, std::uint64_t seen) {
  std::unique_lock lock(m_mutex);
  for (;;) {
    if (!m_wake.wait(lock, stop, [&] { return m_generation != seen; })) return;
    seen = m_generation;
    if (index >= m_parts) continue;  // a smaller job than this team
    const std::function<void(int)>& part = *m_part;
    lock.unlock();
    std::exception_ptr failure;
    try {
      part(index);
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    if (failure && !m_failure) m_failure = failure;
    if (--m_running == 0) m_finished.notify_one();
  }
}

ThreadTeam& ThreadTeam::shared() {
  static ThreadTeam team;
  return team;
}

}  // namespace korvel
