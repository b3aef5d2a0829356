#pragma once
// A few threads kept for the parts of one job at a time: the canvas hands
// them the bands of rows of a batch of lines. Built on the standard library's
// threads, a mutex and two condition variables; nothing is scheduled beyond
// "part i runs on thread i".
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <utility>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace korvel {

class ThreadTeam {
 public:
  // Starts a thread running its argument; throws std::system_error when
  // none can start (a process limit).
  using Starter = std::function<std::jthread(std::function<void(std::stop_token)>)>;

  // `start` replaces std::jthread's own start, for tests of a process limit.
  explicit ThreadTeam(Starter start = {});
  ThreadTeam(const ThreadTeam&) = delete;
  ThreadTeam& operator=(const ThreadTeam&) = delete;

  // Runs part(0) .. part(parts - 1) at the same time, part 0 on the calling
  // thread and each other on a thread of its own (started at the first job
  // that needs it, then kept), and returns when all have returned. An
  // exception from a part is thrown here once all have ended. When a thread
  // cannot start, every part runs on the calling thread, in order, and the
  // next job tries again. One job at a time: concurrent callers wait their
  // turn.
  void run(int parts, const std::function<void(int)>& part);

  // The team the canvas draws with.
  static ThreadTeam& shared();

 private:
  void work(const std::stop_token& stop, int part, std::uint64_t seen);
  // Whether parts - 1 threads are there, starting the missing ones.
  bool start_workers(int parts);

  Starter m_start;

  std::mutex m_one_job;
  std::mutex m_mutex;
  std::condition_variable_any m_wake;
  std::condition_variable m_finished;
  const std::function<void(int)>* m_part = nullptr;
  int m_parts = 0;
  int m_running = 0;
  std::uint64_t m_generation = 0;
  std::exception_ptr m_failure;
  // Last: stopped and joined before the rest goes.
  std::vector<std::jthread> m_workers;
};

}  // namespace korvel
