#pragma once
// A periodic timer whose handler runs on a thread of its own, at millisecond
// accuracy, independent of any message queue.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

namespace corvane {

struct TimerCapabilities {
  uint32_t periodMin = 0;  // shortest supported period, ms
  uint32_t periodMax = 0;  // longest supported period, ms
};

class PlatformTimer;

class TMultimediaTimer {
 public:
  using Handler = std::function<void(TMultimediaTimer& sender)>;

  TMultimediaTimer();
  // Stops the timer; waits for a tick in progress unless called from it.
  virtual ~TMultimediaTimer();
  TMultimediaTimer(const TMultimediaTimer&) = delete;
  TMultimediaTimer& operator=(const TMultimediaTimer&) = delete;

  // Every setter may be called from any thread, the tick's own included.
  // Once Enabled(false) returns, no further tick starts; when called from
  // another thread it also waits for a tick in progress to end.
  bool Enabled() const;
  void SetEnabled(bool enabled);
  uint16_t Interval() const;
  void SetInterval(uint16_t interval);
  uint16_t Resolution() const;
  void SetResolution(uint16_t resolution);
  void SetOnTimer(Handler handler);

  // While loading, enabling is remembered but nothing starts until Loaded.
  void BeginLoading();
  virtual void Loaded();

  // What the platform timer supports; {0, 0} when unknown.
  static TimerCapabilities TimerCaps();

  // Tests: how many platform timers this object has started so far.
  int StartsSoFar() const { return starts_.load(); }

 protected:
  // Runs on the timer's thread at every tick.
  virtual void DoTimer();
  // Disables the timer and waits for a tick in progress (unless called from
  // it). A class that overrides DoTimer calls this in its destructor, so that
  // no tick reaches a half-destroyed object.
  void StopTicks();

 private:
  void StartLocked();
  void Change(uint16_t& field, uint16_t value);
  std::unique_ptr<PlatformTimer> StopLocked();
  void Tick();

  mutable std::mutex mutex_;
  int32_t fTimerID = 0;
  bool fEnabled = false;
  uint16_t fInterval = 1000;
  uint16_t fResolution = 100;
  Handler fOnTimer;
  bool loading_ = false;
  std::unique_ptr<PlatformTimer> platform_;
  std::atomic<int> starts_{0};

  // Ticks in progress, so that destruction waits for them.
  std::mutex tickMutex_;
  std::condition_variable tickDone_;
  int ticksRunning_ = 0;
};

}  // namespace corvane
