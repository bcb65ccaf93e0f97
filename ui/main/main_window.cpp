#include "ui/main/main_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "engine/audio_engine.h"
#include "engine/engine.h"
#include "engine/streaming.h"
#include "settings/app_paths.h"
#include "settings/settings_store.h"
#include "flasher/flash_window.h"
#include "settings/options_dialog.h"
#include "ui/auxiliary/tip_of_the_day.h"
#include "ui/main/engine_bridge.h"
#include "ui/main/press_label.h"
#include "ui/main/skin.h"
#include "ui/main/slider_geometry.h"
#include "ui/main/tap_timer.h"
#include "ui/main/user_prompts.h"
#include "wave/wave.h"

namespace corvane {

namespace {
constexpr int kWidth = 338;
constexpr int kHeight = 206;

QRect Geometry(const Track& t) { return {t.left, t.top, t.width, t.height}; }
}  // namespace

TfrmMain::TfrmMain(SettingsStore& store, AudioBackend* backend, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), store_(store),
      engineUi_(std::make_unique<QtEngineUi>(this)), traceBeats_(std::getenv("CORVANE_TRACE_BEATS") != nullptr) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(kAppTitle);
  setFixedSize(kWidth, kHeight);
  setFocusPolicy(Qt::StrongFocus);
  // Rounded corners: 26 x 26 corner ellipses over the window plus one pixel.
  QPainterPath shape;
  shape.addRoundedRect(QRectF(0, 0, kWidth + 1, kHeight + 1), 13, 13);
  setMask(QRegion(shape.toFillPolygon().toPolygon()));
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());

  background_ = skin::Background();
  subbeatPictures_ = skin::SubbeatPictures();
  CreateControls();
  CreateDisplay();
  CreateMenus();
  ConnectControls();

  EngineStartup(engineUi_.get(), store_, backend);
  engineRunning_ = true;
  imgSliderVol->move(imgSliderVol->x(), VolumeKnobTop(Engine().Settings.MasterVol));
  if (!animatorMode_) lblBeat->setText(QStringLiteral("-"));
}

TfrmMain::~TfrmMain() {
  // Normally done when the window closes; this covers a window never closed.
  if (engineRunning_) EngineShutdown(store_);
}

void TfrmMain::CreateControls() {
  imgShaft = new PressLabel(this, QStringLiteral("imgShaft"), Geometry(kTempoTrack));
  imgShaft->setPixmap(skin::TempoShaft());
  imgSlider = new PressLabel(this, QStringLiteral("imgSlider"), {147, 165, 30, 20});
  imgSlider->setPixmap(skin::TempoKnob());
  imgShaftVol = new PressLabel(this, QStringLiteral("imgShaftVol"), Geometry(kVolumeTrack));
  imgShaftVol->setPixmap(skin::VolumeShaft());
  imgSliderVol = new PressLabel(this, QStringLiteral("imgSliderVol"), {22, 156, 15, 11});
  imgSliderVol->setPixmap(skin::VolumeKnob());

  auto button = [this](const char* name, QRect geometry, const QString& caption) {
    auto* b = new PressLabel(this, QString::fromLatin1(name), geometry);
    auto images = skin::Button(caption);
    b->SetImages({images[0], images[1]});
    return b;
  };
  imgBtnMenu = button("imgBtnMenu", {10, 57, 43, 27}, QStringLiteral("MENU"));
  imgBtnPreset = button("imgBtnPreset", {10, 96, 43, 27}, QStringLiteral("PRESET"));
  imgBtnMeter = button("imgBtnMeter", {285, 57, 43, 27}, QStringLiteral("RHYTHM"));
  imgBtnTap = button("imgBtnTap", {285, 96, 43, 27}, QStringLiteral("TAP"));
  Image5 = new PressLabel(this, QStringLiteral("Image5"), {265, 138, 63, 51});
  auto startStop = skin::StartStop();
  Image5->SetImages({startStop[0], startStop[1]});
  imgMinimize = new PressLabel(this, QStringLiteral("imgMinimize"), {293, 1, 15, 15});
  imgMinimize->setPixmap(skin::MinimizeGlyph());
  imgMinimize->setCursor(Qt::PointingHandCursor);
  imgClose = new PressLabel(this, QStringLiteral("imgClose"), {313, 1, 15, 15});
  imgClose->setPixmap(skin::CloseGlyph());
  imgClose->setCursor(Qt::PointingHandCursor);
}

void TfrmMain::ConnectControls() {
  connect(imgShaft, &PressLabel::pressed, this, [this](QPoint client, QPoint) {
    const EngineSettings& s = Engine().Settings;
    SetTempo(TempoAtTrackClick(client.x(), s.MinBPM, s.MaxBPM), true);
  });
  connect(imgSlider, &PressLabel::pressed, this, [this](QPoint, QPoint local) { tempoGrab_ = local.x(); });
  connect(imgSlider, &PressLabel::dragged, this, [this](QPoint client) {
    if (tempoGrab_ == 0) return;
    if (!imgShaft->geometry().contains(client)) {  // leaving the track ends the drag
      tempoGrab_ = 0;
      return;
    }
    const EngineSettings& s = Engine().Settings;
    SetTempo(TempoAtKnobLeft(client.x() - tempoGrab_, s.MinBPM, s.MaxBPM), true);
  });
  connect(imgSlider, &PressLabel::released, this, [this] { tempoGrab_ = 0; });

  connect(imgShaftVol, &PressLabel::pressed, this, [this](QPoint client, QPoint) {
    SetVolume(VolumeAtTrackClick(client.y()));
  });
  connect(imgSliderVol, &PressLabel::pressed, this, [this](QPoint, QPoint local) { volumeGrab_ = local.y(); });
  connect(imgSliderVol, &PressLabel::dragged, this, [this](QPoint client) {
    if (volumeGrab_ != 0) SetVolume(VolumeAtKnobTop(client.y() - volumeGrab_));
  });
  connect(imgSliderVol, &PressLabel::released, this, [this] { volumeGrab_ = 0; });

  connect(Image5, &PressLabel::pressed, this, [this] { StartStop(); });
  connect(imgBtnTap, &PressLabel::pressed, this, [this] { TapPress(); });
  connect(imgBtnTap, &PressLabel::released, this, [this] { TapRelease(); });
  connect(imgBtnMenu, &PressLabel::pressed, this, [this] { PopupFrom(imgBtnMenu, mainMenu_); });
  connect(imgBtnMeter, &PressLabel::pressed, this, [this] { PopupFrom(imgBtnMeter, rhythmMenu_); });
  // The preset organiser arrives with the presets; the button already presses.
  connect(imgBtnPreset, &PressLabel::pressed, this, [this] { imgBtnPreset->ShowImage(1); });
  connect(imgBtnPreset, &PressLabel::released, this, [this] { imgBtnPreset->ShowImage(0); });
  connect(imgMinimize, &PressLabel::pressed, this, [this] { showMinimized(); });
  connect(imgClose, &PressLabel::pressed, this, [this] { close(); });

  connect(lblTempo, &PressLabel::pressed, this, [this] { OpenTypedTempo(); });
  connect(lblTap, &PressLabel::pressed, this, [this] { StopTapping(); });
  connect(Edit1, &QLineEdit::editingFinished, this, [this] { CommitTypedTempo(); });
  Edit1->installEventFilter(this);
}

void TfrmMain::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, background_);
}

void TfrmMain::showEvent(QShowEvent* event) {
  engineUi_->SetVisible(true);
  QWidget::showEvent(event);
  // The first activation runs the start-up checks once the window is up.
  if (!startupDone_) QTimer::singleShot(0, this, [this] { RunStartupSequence(); });
}

void TfrmMain::hideEvent(QHideEvent* event) {
  engineUi_->SetVisible(false);
  QWidget::hideEvent(event);
}

// ---- start-up ---------------------------------------------------------------

void TfrmMain::RunStartupSequence() {
  if (startupDone_) return;
  startupDone_ = true;

  CreateFlasher();
  if (!QFontDatabase::families().contains(QStringLiteral("zk3"))) {
    ShowMessage({nullptr, kAppTitle, QStringLiteral("The required font is missed.\rPlease, reinstall the application."),
                 MsgIcon::Error, MsgButtons::Ok});
    QTimer::singleShot(0, this, [this] { close(); });
    return;
  }
  EngineGlobals& e = Engine();
  if (OutputReady()) {
    CheckStartupSound(0);
    CheckStartupSound(1);
    if (!e.Sounds.Valid(SoundSlot::Sound1) || !e.Sounds.Valid(SoundSlot::Sound2)) {
      if (options_) options_->ShowModalOnCurrentPage();
    }
  } else {
    ShowMessage({nullptr, kAppTitle,
                 QStringLiteral("Sorry, but the DirectSound driver is inaccessible.\rError code: %1\r\r"
                                "No sound can be produced.\r\rHint: the Tap and Export features are available.")
                     .arg(QString::number(OutputInitError(), 16).toUpper()),
                 MsgIcon::Warning, MsgButtons::Ok});
  }
  if (store_.ReadBoolDef("ShowTipsOnStartup", true) && tips_ && tips_->TipsAvailable()) tips_->exec();
}

void TfrmMain::CreateFlasher() {
  flasher_ = new TfrmFlash(*this, options_);
  const QRect m = geometry();
  const int w = store_.ReadIntDef("FlasherWidth", m.width());
  const int h = store_.ReadIntDef("FlasherHeight", 258);
  const int top = store_.ReadIntDef("FlasherTop", m.top() + m.height());
  const int left = store_.ReadIntDef("FlasherLeft", m.left() + (m.width() - w) / 2);
  flasher_->setGeometry(left, top, w, h);
  connect(flasher_, &TfrmFlash::hiddenByUser, this, [this] { flasherItem_->setChecked(false); });
  flasherItem_->setEnabled(true);
  if (flasherItem_->isChecked()) flasher_->show();
}

void TfrmMain::FlasherUpdate() {
  if (flasher_) flasher_->Update();
}

void TfrmMain::SetOptions(TfrmOptions* options) {
  options_ = options;
  for (QAction* item : optionItems_) item->setEnabled(options_ != nullptr);
}

void TfrmMain::CheckStartupSound(int slot) {
  EngineSettings& s = Engine().Settings;
  const std::string file = slot == 0 ? s.Sound1File.Get() : s.Sound2File.Get();
  if (std::filesystem::exists(file)) return;
  const std::string fallback = slot == 0 ? defaults::Sound1File : defaults::Sound2File;
  const QString missing =
      QStringLiteral("The audio file\r\"%1\"\rwas not found.\r\r").arg(QString::fromStdString(file));
  auto comboShows = [this, slot](const QString& text) {
    if (options_) options_->SetSoundComboText(slot, text);
  };
  if (!std::filesystem::exists(fallback)) {
    ShowMessage({nullptr, kAppTitle, missing + QStringLiteral("You will be prompted to choose one."),
                 MsgIcon::Warning, MsgButtons::Ok});
    comboShows(kSelectSound);
    return;
  }
  if (ShowMessage({nullptr, kAppTitle, missing + QStringLiteral("Would you like to use the default one?"),
                   MsgIcon::Warning, MsgButtons::YesNo}) != MsgAnswer::Yes) {
    comboShows(kSelectSound);
    return;
  }
  try {
    ChangeSound(slot == 0 ? SoundSlot::Sound1 : SoundSlot::Sound2, fallback);
    comboShows(QString::fromStdString(fallback));
  } catch (const WaveFileError& error) {
    ShowSimpleMessage(QString::fromStdString(error.what()));
  }
}

// ---- closing ----------------------------------------------------------------

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (engineRunning_) EngineShutdown(store_);
  engineRunning_ = false;
  StopTapping();
  if (flasher_) {
    const QRect g = flasher_->geometry();
    SettingsStore::Batch batch(store_);
    store_.WriteInt("FlasherWidth", g.width());
    store_.WriteInt("FlasherHeight", g.height());
    store_.WriteInt("FlasherTop", g.top());
    store_.WriteInt("FlasherLeft", g.left());
  }
  delete flasher_;
  flasher_ = nullptr;
  QWidget::closeEvent(event);
}

// ---- transport, tempo, volume ------------------------------------------------

void TfrmMain::ShowPicture(bool running) { Image5->ShowImage(running ? 1 : 0); }

void TfrmMain::PlaybackEnded() { ShowPicture(IsPlaying()); }

void TfrmMain::ShowStopped() { ShowPicture(false); }

void TfrmMain::StartStop() {
  if (!OutputReady()) {
    ShowSimpleMessage(QStringLiteral("The device has not been initialized. No sound."), this);
    return;
  }
  if (IsPlaying()) {
    StopAndWait();
    ShowPicture(false);
  } else {
    if (IsTapping()) StopTapping();
    StartPlayback();
    ShowPicture(true);
  }
}

void TfrmMain::SetTempo(double b, bool checklimits) {
  EngineSettings& s = Engine().Settings;
  if (std::isnan(b)) return;  // nothing sensible to play; keep the tempo
  if (checklimits) {
    if (b > s.MaxBPM) b = s.MaxBPM;
    if (b < s.MinBPM) b = s.MinBPM;
  } else {
    if (b > 999) b = 999;
    if (b < 1) b = 1;
  }
  s.BPM = b;
  imgSlider->move(TempoKnobLeft(b, s.MinBPM, s.MaxBPM), imgSlider->y());
  UpdateLabels();
  if (animatorMode_) DisplayFPB();
}

void TfrmMain::SetVolume(int v) {
  v = ClampVolume(v);
  SetMasterVolume(v);
  imgSliderVol->move(imgSliderVol->x(), VolumeKnobTop(v));
}

void TfrmMain::RhythmChanged() {
  UpdateLabels();
  // The meter constructor, once it exists, reloads the meter here.
}

void TfrmMain::RunRhythmCommand(RhythmCommand command) {
  ApplyRhythmCommand(command, Engine().Settings);
  RhythmChanged();
}

void TfrmMain::TapPress() {
  if (IsPlaying()) StartStop();
  if (!IsTapping()) StartTapping();
  RegisterTap();
  imgBtnTap->ShowImage(1);
}

void TfrmMain::TapRelease() { imgBtnTap->ShowImage(0); }

void TfrmMain::StartTapping() {
  tapSequence_ = std::make_unique<TapSequence>();
  tapTimer_ = std::make_unique<TTimer1>(this, ++tapGeneration_);
  lblTap->show();
}

void TfrmMain::StopTapping() {
  lblTap->hide();
  tapTimer_.reset();  // waits for a tick in progress; its posted end is ignored
  tapSequence_.reset();
}

void TfrmMain::TapTimedOut(int generation) {
  if (generation == tapGeneration_ && IsTapping()) StopTapping();
}

void TfrmMain::RegisterTap() {
  const TapPrecision precision = options_ ? options_->Precision() : TapPrecision::Integer;
  if (const std::optional<double> tempo = tapSequence_->RegisterTap(tapClock_(), precision)) {
    SetTempo(*tempo, true);
    tapTimer_->SetEnabled(false);
    tapTimer_->SetInterval(TapTimeoutMs(Engine().Settings.BPM));
    tapTimer_->SetEnabled(true);  // three beats from this tap
  }
  if (flasher_) flasher_->UpdateTap();
  PlayTap();
}

void TfrmMain::GamepadMoved(int x, int y) {
  const EngineSettings& s = Engine().Settings;
  if (x == 0) SetTempo(s.BPM - 4, true);
  if (x == 65535) SetTempo(s.BPM + 4, true);
  if (y == 0) SetVolume(s.MasterVol + 250);
  if (y == 65535) SetVolume(s.MasterVol - 250);
}

// ---- typed tempo -------------------------------------------------------------

void TfrmMain::OpenTypedTempo() {
  Edit1->setText(locale().toString(Engine().Settings.BPM.load(), 'g', 15));
  lblTempo->hide();  // the field stands in for the digits while it is open
  Edit1->show();
  Edit1->raise();
  Edit1->setFocus();
  Edit1->selectAll();
}

void TfrmMain::CommitTypedTempo() {
  if (Edit1->isHidden()) return;
  bool ok = false;
  const double value = locale().toDouble(Edit1->text().trimmed(), &ok);
  Edit1->hide();
  lblTempo->show();
  if (ok && std::isfinite(value)) SetTempo(value, false);
  UpdateLabels();
  setFocus();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
      CommitTypedTempo();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace corvane
