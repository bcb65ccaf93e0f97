#pragma once
// The streaming thread's pace: it polls the play cursor every 5 ms. Tests
// replace the clock with a timer they step by hand.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace corvane {

class PollTimer {
 public:
  virtual ~PollTimer() = default;
  // Returns at the next poll, or at once after Wake().
  virtual void WaitForNextPoll() = 0;
  // Ends the current wait early (a stop was requested).
  virtual void Wake() = 0;
  // The thread that polled has ended.
  virtual void Ended() {}
};

class ClockPollTimer : public PollTimer {
 public:
  explicit ClockPollTimer(std::chrono::milliseconds interval = std::chrono::milliseconds(5)) : interval_(interval) {}
  void WaitForNextPoll() override {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, interval_, [this] { return woken_; });
    woken_ = false;
  }
  void Wake() override {
    std::lock_guard lock(mutex_);
    woken_ = true;
    wake_.notify_all();
  }

 private:
  std::chrono::milliseconds interval_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool woken_ = false;
};

// Lets the thread make exactly one poll per Step().
class ManualPollTimer : public PollTimer {
 public:
  void WaitForNextPoll() override {
    std::unique_lock lock(mutex_);
    ++arrivals_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return granted_ > consumed_ || woken_; });
    if (granted_ > consumed_) ++consumed_;
    woken_ = false;
  }
  void Wake() override {
    std::lock_guard lock(mutex_);
    woken_ = true;
    changed_.notify_all();
  }
  void Ended() override {
    std::lock_guard lock(mutex_);
    ended_ = true;
    changed_.notify_all();
  }
  // Waits until the thread waits for its first poll.
  bool AwaitThread() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [this] { return arrivals_ > 0 || ended_; });
  }
  // One poll: lets the thread run it and waits until it is done.
  bool Step() {
    std::unique_lock lock(mutex_);
    const unsigned long long target = arrivals_ + 1;
    ++granted_;
    changed_.notify_all();
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return arrivals_ >= target || ended_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  unsigned long long arrivals_ = 0, granted_ = 0, consumed_ = 0;
  bool woken_ = false, ended_ = false;
};

}  // namespace corvane
