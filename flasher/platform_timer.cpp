#include "flasher/platform_timer.h"

namespace corvane {

PlatformTimer::PlatformTimer(std::chrono::milliseconds interval, std::function<void()> tick)
    : state_(std::make_shared<State>()) {
  // The thread owns what it touches after a kill from its own tick: the
  // shared state and its copy of the function, never this object.
  thread_ = std::thread([state = state_, interval, tick = std::move(tick)] {
    auto next = std::chrono::steady_clock::now() + interval;
    std::unique_lock lock(state->mutex);
    for (;;) {
      if (state->changed.wait_until(lock, next, [&] { return state->killed; })) return;
      lock.unlock();
      tick();
      lock.lock();
      next += interval;
      const auto now = std::chrono::steady_clock::now();
      if (next < now) next = now;  // late: the missed ticks are dropped, not bunched
    }
  });
}

PlatformTimer::~PlatformTimer() {
  {
    std::lock_guard lock(state_->mutex);
    state_->killed = true;
  }
  state_->changed.notify_all();
  if (thread_.get_id() == std::this_thread::get_id())
    thread_.detach();  // killed from its own tick: it ends when the tick returns
  else
    thread_.join();  // waits for a tick in progress
}

}  // namespace corvane
