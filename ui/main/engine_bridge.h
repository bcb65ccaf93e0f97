#pragma once
// Carries the streaming thread's calls over to the user-interface thread as
// queued calls, so that the streaming thread never waits for a window.
#include <QMetaObject>
#include <atomic>

#include "engine/engine_ui.h"

namespace corvane {

class TfrmMain;

class QtEngineUi : public EngineUi {
 public:
  explicit QtEngineUi(TfrmMain* main) : main_(main) {}

  void SetVisible(bool visible) { visible_.store(visible, std::memory_order_relaxed); }
  bool MainWindowVisible() override { return visible_.load(std::memory_order_relaxed); }
  void FlasherUpdate() override;
  void BeatUpdate(int16_t cell, uint8_t kind) override;
  void ShowStoppedPicture() override;

 private:
  // Fixed for the bridge's life; a queued call to a window that is gone is
  // dropped by Qt with the window's pending events.
  TfrmMain* const main_;
  std::atomic<bool> visible_{false};
};

}  // namespace corvane
