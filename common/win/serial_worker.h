// Runs jobs one after another on a thread of its own, in the order they were given. Wait()
// returns once every job given so far has run; the destructor runs what is queued, then ends.
#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class SerialWorker {
 public:
  SerialWorker() : m_thread([this] { Run(); }) {}
  ~SerialWorker() {
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_quit = true;
    }
    m_wake.notify_one();
    m_thread.join();
  }
  SerialWorker(const SerialWorker&) = delete;
  SerialWorker& operator=(const SerialWorker&) = delete;

  void Post(std::function<void()> job) {
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
  }

  void Wait() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
  }

 private:
  void Run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
      m_wake.wait(lock, [this] { return m_quit || !m_jobs.empty(); });
      if (m_jobs.empty()) return;  // quit, and nothing left to run
      std::function<void()> job = std::move(m_jobs.front());
      m_jobs.pop_front();
      m_busy = true;
      lock.unlock();
      job();
      lock.lock();
      m_busy = false;
      if (m_jobs.empty()) m_idle.notify_all();
    }
  }

  std::mutex m_mutex;
  std::condition_variable m_wake, m_idle;
  std::deque<std::function<void()>> m_jobs;
  bool m_busy = false, m_quit = false;
  std::thread m_thread;
};
