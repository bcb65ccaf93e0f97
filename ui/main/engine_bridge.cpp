#include "ui/main/engine_bridge.h"

#include "ui/main/main_window.h"

namespace corvane {

void QtEngineUi::FlasherUpdate() {
  QMetaObject::invokeMethod(main_, [main = main_] { main->FlasherUpdate(); }, Qt::QueuedConnection);
}

void QtEngineUi::BeatUpdate(int16_t, uint8_t) {
  // The update reads the published beat when it runs, as the display expects.
  QMetaObject::invokeMethod(main_, [main = main_] { main->BeatAndTimeUpdate(); }, Qt::QueuedConnection);
}

void QtEngineUi::ShowStoppedPicture() {
  QMetaObject::invokeMethod(main_, [main = main_] { main->PlaybackEnded(); }, Qt::QueuedConnection);
}

}  // namespace corvane
