#pragma once
// The platform's periodic timer: a thread that calls a function every
// interval milliseconds, on deadlines that do not drift.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace corvane {

class PlatformTimer {
 public:
  PlatformTimer(std::chrono::milliseconds interval, std::function<void()> tick);
  // Kills the timer: no tick starts after it returns. From another thread it
  // also waits for a tick in progress; from the tick itself, that tick is the
  // last and ends on its own.
  ~PlatformTimer();
  PlatformTimer(const PlatformTimer&) = delete;
  PlatformTimer& operator=(const PlatformTimer&) = delete;

 private:
  struct State {
    std::mutex mutex;
    std::condition_variable changed;
    bool killed = false;
  };
  std::shared_ptr<State> state_;
  std::thread thread_;
};

}  // namespace corvane
