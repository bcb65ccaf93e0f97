#include "engine/playback_renderer.h"

#include "engine/engine_settings.h"

namespace corvane {

void PlaybackRenderer::StartState() {
  position.Reset();
  dsbufpos = 0;
  notf.clear();
  notb.clear();
  const auto meter = settings_.Meter.Load();
  const unsigned char first = meter->empty() ? 0 : static_cast<unsigned char>(meter->front());
  notf.push_back(0);
  notb.push_back(NotificationCode(1, first));
}

void PlaybackRenderer::FillMemBuffer(int16_t* w1, uint32_t size1) {
  const RenderInputs inputs = RenderInputs::Take(settings_, sounds_);
  MixBlock(position, inputs, w1, size1 / 2, this, inputs.AutoFadeout);
}

void PlaybackRenderer::BeatNotification(uint32_t sampleInBlock, uint32_t code) {
  notf.push_back(dsbufpos + 2 * sampleInBlock);
  notb.push_back(code);
}

}  // namespace corvane
