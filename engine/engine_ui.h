#pragma once
// What the engine asks of the user interface. The streaming thread calls
// these; an implementation must not block (the GUI posts queued calls).
#include <cstdint>

namespace corvane {

class EngineUi {
 public:
  virtual ~EngineUi() = default;
  // Beat notifications reach the display only while the main window shows.
  virtual bool MainWindowVisible() { return true; }
  // A notification was dispatched: the beat flasher's update, then the
  // display's beat-and-time update (which read ShownBeat when they run).
  virtual void FlasherUpdate() {}
  virtual void BeatUpdate(int16_t cell, uint8_t kind) = 0;
  // The automatic fade-out has ended playback: show the stopped picture.
  virtual void ShowStoppedPicture() = 0;
};

}  // namespace corvane
