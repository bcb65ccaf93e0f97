#include "engine/streaming.h"

#include <cerrno>
#include <cstring>

#if __has_include(<pthread.h>)
#include <pthread.h>
#include <sched.h>
#define CORVANE_PTHREADS 1
#endif

#include "engine/audio_output.h"
#include "engine/engine.h"
#include "engine/engine_ui.h"
#include "engine/meter.h"
#include "engine/poll_timer.h"
#include "settings/diagnostics.h"

namespace corvane {

namespace {
// Unwraps a ring cursor into a running count; polls come far more often
// than the buffer loops, so each step is less than one loop.
class CursorCounter {
 public:
  explicit CursorCounter(uint32_t ringBytes) : ring_(ringBytes) {}
  uint64_t Update(uint32_t cursor) {
    total_ += (cursor + ring_ - last_) % ring_;
    last_ = cursor;
    return total_;
  }

 private:
  uint32_t ring_;
  uint32_t last_ = 0;
  uint64_t total_ = 0;
};
}  // namespace

TStreamingBuffer::TStreamingBuffer(SoundBuffer& buffer, uint32_t bufferSize, PollTimer& timer, EngineUi* ui)
    : PlaybackRenderer(Engine().Settings, Engine().Sounds), buffer_(buffer), bufferSize_(bufferSize), timer_(timer), ui_(ui) {
  thread_ = std::thread([this] { Execute(); });
}

TStreamingBuffer::~TStreamingBuffer() {
  Terminate();
  Join();
}

void TStreamingBuffer::Terminate() {
  terminated_.store(true, std::memory_order_release);
  timer_.Wake();
}

void TStreamingBuffer::Join() {
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void TStreamingBuffer::RequestRealtimeScheduling() {
#ifdef CORVANE_PTHREADS
  sched_param param{};
  param.sched_priority = sched_get_priority_min(SCHED_FIFO) + 10;
  static std::atomic<bool> reported{false};
  if (int err = pthread_setschedparam(pthread_self(), SCHED_FIFO, &param); err != 0 && !reported.exchange(true))
    DebugStr(std::string("Streaming without real-time scheduling: ") + std::strerror(err));
#endif
}

void TStreamingBuffer::BeatNotification(uint32_t sampleInBlock, uint32_t code) {
  PlaybackRenderer::BeatNotification(sampleInBlock, code);
  notAbs_.push_back(blockStart_ + 2ull * sampleInBlock);
}

void TStreamingBuffer::FadeoutEnded() {
  // Posted, never waited for: the user-interface thread may be waiting for
  // this thread in StopAndWait at this very moment.
  if (ui_) ui_->ShowStoppedPicture();
  RequestStop();
}

void TStreamingBuffer::FillNextHalf() {
  int16_t* region = nullptr;
  uint32_t bytes = 0;
  blockStart_ = renderedEnd_;
  // A half that cannot be locked keeps its old content; the ring moves on.
  if (!CheckHR(buffer_.Lock(dsbufpos, hlfbufsize, &region, &bytes), "Cannot lock the buffer") && region) {
    FillMemBuffer(region, std::min(bytes, hlfbufsize));
    CheckHR(buffer_.Unlock(region, bytes), "Failed unlocking the buffer");
  }
  dsbufpos += hlfbufsize;
  if (dsbufpos >= bufferSize_) dsbufpos = 0;
  renderedEnd_ += hlfbufsize;
}

void TStreamingBuffer::DispatchNotification() {
  const uint32_t code = notb.front();
  const auto cell = static_cast<int16_t>(code & 0xFFFF);
  const auto kind = static_cast<uint8_t>(BeatKindOf(static_cast<char>(code >> 16)));
  EngineGlobals& e = Engine();
  e.ShownBeat.store(cell, std::memory_order_relaxed);
  e.ShownBeatKind.store(kind, std::memory_order_relaxed);
  if (ui_ && ui_->MainWindowVisible()) {
    ui_->FlasherUpdate();
    ui_->BeatUpdate(cell, kind);
  }
  notf.pop_front();
  notb.pop_front();
  notAbs_.pop_front();
}

void TStreamingBuffer::Execute() {
  EngineGlobals& e = Engine();
  RequestRealtimeScheduling();
  e.Stopped.store(false, std::memory_order_release);
  hlfbufsize = bufferSize_ / 2;
  e.PlayStartTicks.store(std::chrono::steady_clock::now().time_since_epoch().count());
  StartState();
  notAbs_.assign(1, 0);
  renderedEnd_ = 0;

  // Both halves before the device starts: a device that takes a long period
  // at once may read into the second half before the first poll.
  FillNextHalf();
  FillNextHalf();
  CheckHR(buffer_.SetCurrentPosition(0), "Cannot set the position");
  CheckHR(buffer_.Play(true), "Cannot play the buffer");

  CursorCounter heard(bufferSize_), handed(bufferSize_);
  while (!terminated_.load(std::memory_order_acquire)) {
    timer_.WaitForNextPoll();
    if (terminated_.load(std::memory_order_acquire)) break;
    uint32_t playCursor = 0, writeCursor = 0;
    if (CheckHR(buffer_.GetCurrentPosition(&playCursor, &writeCursor), "Failed to get the current position")) continue;
    const uint64_t playedBytes = heard.Update(playCursor);
    const uint64_t handedBytes = handed.Update(writeCursor);
    // Every notification the audible position has passed, in order: none
    // is held back, even when several share a position.
    while (!notAbs_.empty() && notAbs_.front() <= playedBytes) DispatchNotification();
    // Once the device takes from the newest half, the older one is free.
    for (int refills = 0; refills < 2 && handedBytes >= renderedEnd_ - hlfbufsize; ++refills) FillNextHalf();
  }

  CheckHR(buffer_.Stop(), "Failed stopping the buffer");
  notf.clear();
  notb.clear();
  notAbs_.clear();
  finished_.store(true, std::memory_order_release);
  e.Stopped.store(true, std::memory_order_release);
  timer_.Ended();
}

void StartPlayback() {
  EngineGlobals& e = Engine();
  std::vector<std::unique_ptr<TStreamingBuffer>> retired;
  {
    std::lock_guard lock(e.PlayerMutex);
    if (e.Player || !e.StreamBuffer) return;
    retired.swap(e.Retired);
  }
  retired.clear();  // a player that is still stopping finishes first
  PollTimer& timer = e.Poll ? *e.Poll : *e.ClockPoll;
  // Created under the lock: a fade-out that ends while the first halves are
  // rendered calls RequestStop, which must find this player.
  std::lock_guard lock(e.PlayerMutex);
  // Playing from here on, not only once the thread runs: a second start/stop
  // press right after the first must stop, not start again.
  e.Stopped.store(false, std::memory_order_release);
  e.Player = std::make_unique<TStreamingBuffer>(*e.StreamBuffer, e.StreamBuffer->Size(), timer, e.Ui);
}

void RequestStop() {
  EngineGlobals& e = Engine();
  std::lock_guard lock(e.PlayerMutex);
  if (!e.Player) return;
  e.Player->Terminate();
  e.Retired.push_back(std::move(e.Player));
}

void StopAndWait() {
  EngineGlobals& e = Engine();
  RequestStop();
  std::vector<std::unique_ptr<TStreamingBuffer>> retired;
  {
    std::lock_guard lock(e.PlayerMutex);
    retired.swap(e.Retired);
  }
  for (auto& player : retired) player->Join();
}

bool IsPlaying() { return !Engine().Stopped.load(std::memory_order_acquire); }

}  // namespace corvane
