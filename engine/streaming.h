#pragma once
// The streaming thread: keeps the looping output buffer fed half by half and
// reports each beat as it sounds.
#include <atomic>
#include <cstdint>
#include <deque>
#include <thread>

#include "engine/playback_renderer.h"

namespace corvane {

class SoundBuffer;
class PollTimer;
class EngineUi;

class TStreamingBuffer : public PlaybackRenderer {
 public:
  TStreamingBuffer(SoundBuffer& buffer, uint32_t bufferSize, PollTimer& timer, EngineUi* ui);
  ~TStreamingBuffer() override;  // waits for the thread

  void Terminate();
  bool Finished() const { return finished_.load(std::memory_order_acquire); }
  void Join();

  uint32_t hlfbufsize = 0;

 private:
  void Execute();
  void FillNextHalf();
  void DispatchNotification();
  void RequestRealtimeScheduling();
  void BeatNotification(uint32_t sampleInBlock, uint32_t code) override;
  void FadeoutEnded() override;

  SoundBuffer& buffer_;
  uint32_t bufferSize_;
  PollTimer& timer_;
  EngineUi* ui_;
  std::deque<uint64_t> notAbs_;  // absolute byte positions of notf's entries
  uint64_t renderedEnd_ = 0;     // absolute bytes rendered so far
  uint64_t blockStart_ = 0;      // absolute byte position of the block being rendered
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::thread thread_;
};

// Engine operations of playback (user-interface thread).
void StartPlayback();
void RequestStop();   // returns at once; also safe from the streaming thread
void StopAndWait();   // RequestStop, then waits until the thread has stopped the device
bool IsPlaying();

}  // namespace corvane
