// The options dialog's change handlers: every change takes effect at once.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <cmath>

#include "engine/audio_engine.h"
#include "engine/engine.h"
#include "settings/app_paths.h"
#include "settings/colour_box.h"
#include "settings/options_dialog.h"
#include "settings/sound_combo.h"
#include "settings/sound_files.h"
#include "ui/main/global_input.h"
#include "ui/main/main_window.h"
#include "ui/main/user_prompts.h"
#include "wave/wave.h"

namespace corvane {

namespace {

std::atomic<double>& RatioFor(EngineSettings& s, int index) {
  std::atomic<double>* ratios[] = {&s.VolRatioDownbeat, &s.VolRatioBeat, &s.VolRatioSubbeat, &s.VolRatioBell};
  return *ratios[index];
}

// A sound that cannot be loaded is reported; the file setting takes the
// chosen name all the same, so the choice is kept for the next start.
void LoadSound(SoundSlot slot, const std::string& path, bool refillTap) {
  try {
    ChangeSound(slot, path);
    if (refillTap) FillTapBuffer();
  } catch (const WaveFileError& error) {
    (slot == SoundSlot::Sound1 ? Engine().Settings.Sound1File : Engine().Settings.Sound2File).Set(path);
    ShowSimpleMessage(QString::fromStdString(error.what()));
  }
}

}  // namespace

void TfrmOptions::ConnectHandlers() {
  for (QSlider* bar : {trkbDownbeatVol, trkbOrdBeatVol, trkbarSubbeatVol, trkbarBellVol})
    connect(bar, &QSlider::valueChanged, this, [this, bar] { LevelChanged(bar); });
  connect(trkbarPan, &QSlider::valueChanged, this, [this] { trkbarPanChange(); });
  EngineSettings& s = Engine().Settings;
  const std::pair<QCheckBox*, std::atomic<bool>*> flags[] = {{chkMixWithBeat, &s.MixWithBeat},
                                                             {chkBellOnFirst, &s.BellOnFirst},
                                                             {chkAutoFadeout, &s.AutoFadeout},
                                                             {chkBoost6dB, &s.Boost6dB}};
  for (const auto& [box, flag] : flags)
    connect(box, &QCheckBox::toggled, this, [flag = flag](bool on) { flag->store(on); });
  // Typing or picking; picking the text already shown applies it again.
  connect(cmbMinBPM, &QComboBox::editTextChanged, this, [this] { cmbMinBPMChange(); });
  connect(cmbMaxBPM, &QComboBox::editTextChanged, this, [this] { cmbMaxBPMChange(); });
  connect(cmbMinBPM, &QComboBox::activated, this, [this] { cmbMinBPMChange(); });
  connect(cmbMaxBPM, &QComboBox::activated, this, [this] { cmbMaxBPMChange(); });
  connect(cmbDownBeatfilename, &SoundCombo::aboutToOpen, this, [this] { SoundComboOpened(cmbDownBeatfilename); });
  connect(cmbBeatfilename, &SoundCombo::aboutToOpen, this, [this] { SoundComboOpened(cmbBeatfilename); });
  connect(cmbDownBeatfilename, &QComboBox::activated, this,
          [this](int i) { cmbDownBeatfilenamePicked(cmbDownBeatfilename->itemText(i)); });
  connect(cmbBeatfilename, &QComboBox::activated, this,
          [this](int i) { cmbBeatfilenamePicked(cmbBeatfilename->itemText(i)); });
  connect(BitBtn2, &QToolButton::clicked, this, [this] { Browse(0, {}); });
  connect(BitBtn3, &QToolButton::clicked, this, [this] { Browse(1, {}); });
  connect(ComboBoxEx1, &QComboBox::activated, this, [this](int i) { ComboBoxEx1Picked(i); });
  connect(trkbBufferSize, &QSlider::valueChanged, this, [this] { trkbBufferSizeChange(); });
  connect(chkCtrl, &QCheckBox::clicked, this, [this] { HotKeyBoxClicked(); });
  connect(chkAlt, &QCheckBox::clicked, this, [this] { HotKeyBoxClicked(); });
  connect(rbGamepadOn, &QRadioButton::clicked, this, [this] { rgrpGamepadClick(); });
  connect(rbGamepadOff, &QRadioButton::clicked, this, [this] { rgrpGamepadClick(); });
  connect(rbAnimatorModeOn, &QRadioButton::clicked, this, [this] { rbAnimatorModeOnClick(); });
  connect(rbAnimatorModeOff, &QRadioButton::clicked, this, [this] { rbAnimatorModeOffClick(); });
  connect(edtFPS, &QLineEdit::textChanged, this, [this](const QString& text) { main_.SetFramesPerSecondText(text); });
}

void TfrmOptions::LevelChanged(QSlider* bar) {
  const QSlider* bars[] = {trkbDownbeatVol, trkbOrdBeatVol, trkbarSubbeatVol, trkbarBellVol};
  QLabel* labels[] = {lblDownbeatVolRatio, lblBeatVolRatio, lblSubdivVolRatio, lblBellVolRatio};
  for (int i = 0; i < 4; ++i) {
    if (bars[i] != bar) continue;
    RatioFor(Engine().Settings, i) = std::pow(10.0, -bar->value() / 20.0);
    labels[i]->setText(QStringLiteral("%1dB").arg(-bar->value()));
  }
}

void TfrmOptions::trkbarPanChange() {
  SetMasterPan(trkbarPan->value());
  lblPan->setText(QStringLiteral("%1%").arg(trkbarPan->value() / 100));
}

void TfrmOptions::ApplyLimitText(QComboBox* combo, bool minimum) {
  EngineSettings& s = Engine().Settings;
  bool ok = false;
  const int typed = combo->currentText().trimmed().toInt(&ok);
  const double value = ok ? typed : (minimum ? s.MinBPM.load() : s.MaxBPM.load());
  const bool outside = minimum ? (value < 1 || value > 40) : (value < 208 || value > 999);
  QPalette p = combo->palette();
  p.setColor(QPalette::Text, outside ? Qt::red : Qt::black);
  combo->setPalette(p);
  if (combo->lineEdit()) combo->lineEdit()->setPalette(p);
  if (minimum)
    SetTempoLimits(s, value, s.MaxBPM);
  else
    SetTempoLimits(s, s.MinBPM, value);
  main_.SetTempo(s.BPM, true);
}

void TfrmOptions::cmbMinBPMChange() { ApplyLimitText(cmbMinBPM, true); }
void TfrmOptions::cmbMaxBPMChange() { ApplyLimitText(cmbMaxBPM, false); }

void TfrmOptions::SoundComboOpened(SoundCombo* combo) {
  const QString current = combo->currentText();
  combo->blockSignals(true);
  combo->clear();
  for (const std::string& file : ListSoundFiles(FolderPrefixOf(current.toStdString())))
    combo->addItem(QString::fromStdString(file));
  combo->setEditText(current);
  combo->blockSignals(false);
}

void TfrmOptions::cmbDownBeatfilenamePicked(const QString& path) {
  LoadSound(SoundSlot::Sound1, path.toStdString(), false);
}

void TfrmOptions::cmbBeatfilenamePicked(const QString& path) {
  LoadSound(SoundSlot::Sound2, path.toStdString(), true);
}

void TfrmOptions::Browse(int slot, const QString& chosen) {
  QString file = chosen;
  if (file.isEmpty()) {
    const EngineSettings& s = Engine().Settings;
    const std::string current = slot == 0 ? s.Sound1File.Get() : s.Sound2File.Get();
    QString folder = QString::fromStdString(FolderPrefixOf(current));
    if (folder.isEmpty()) folder = QString::fromStdString(ProgramDataDir().string());
    file = QFileDialog::getOpenFileName(this, QString(), folder,
                                        QStringLiteral("Metronome Audio Files (*.wav *.mwav)"));
    if (file.isEmpty()) return;
  }
  LoadSound(slot == 0 ? SoundSlot::Sound1 : SoundSlot::Sound2, file.toStdString(), false);
  SetSoundComboText(slot, file);
}

void TfrmOptions::ComboBoxEx1Picked(int index) {
  const EngineGlobals& e = Engine();
  if (index < 0 || index >= static_cast<int>(e.DeviceGuidTexts.size())) return;
  main_.ShowStopped();  // reopening the device ends the stream
  ChangeOutputDevice(e.DeviceGuidTexts[static_cast<size_t>(index)]);
}

void TfrmOptions::trkbBufferSizeChange() {
  const EngineGlobals& e = Engine();
  const int index = ComboBoxEx1->currentIndex();
  const std::string device = index >= 0 && index < static_cast<int>(e.DeviceGuidTexts.size())
                                 ? e.DeviceGuidTexts[static_cast<size_t>(index)]
                                 : SelectedDeviceGuidText();
  ChangeBufferSizeFactor(trkbBufferSize->value(), device);
  main_.PlaybackEnded();
}

void TfrmOptions::HotKeyBoxClicked() {
  if (!hotKey_) return;
  hotKey_->Unregister();
  hotKey_->Register(HotKeyModifiers());
}

void TfrmOptions::rgrpGamepadClick() {
  if (!gamepad_) return;
  if (rbGamepadOn->isChecked())
    gamepad_->Capture();
  else
    gamepad_->Release();
}

void TfrmOptions::rbAnimatorModeOnClick() {
  edtFPS->setEnabled(true);
  main_.SetFramesPerSecondText(edtFPS->text());
  main_.SetAnimatorMode(true);
  EngineSettings& s = Engine().Settings;
  s.SetMeter("x");
  s.SetSubbeats("");
  s.SetBeatDivisor(1);
  main_.UpdateLabels();
}

void TfrmOptions::rbAnimatorModeOffClick() {
  edtFPS->setEnabled(false);
  main_.SetAnimatorMode(false);
}

}  // namespace corvane
