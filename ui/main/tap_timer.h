#pragma once
// The tap sequence's time-out: a multimedia timer whose tick ends the
// sequence on the user-interface thread.
#include <QMetaObject>
#include <QObject>

#include "flasher/multimedia_timer.h"

namespace corvane {

class TTimer1 : public TMultimediaTimer {
 public:
  // receiver->TapTimedOut(generation) runs on receiver's thread.
  template <class Receiver>
  TTimer1(Receiver* receiver, int generation) {
    onTick_ = [receiver, generation] {
      QMetaObject::invokeMethod(receiver, [receiver, generation] { receiver->TapTimedOut(generation); },
                                Qt::QueuedConnection);
    };
  }
  ~TTimer1() override { StopTicks(); }

 protected:
  void DoTimer() override {
    SetEnabled(false);  // one time-out is enough
    onTick_();
  }

 private:
  std::function<void()> onTick_;
};

}  // namespace corvane
