#pragma once
// The main window: the skinned face of the metronome and the controller of
// tempo, volume, rhythm and transport. Every tempo change goes through
// SetTempo and every volume change through SetVolume.
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <map>
#include <memory>

#include "ui/main/key_commands.h"
#include "ui/main/rhythm_commands.h"
#include "ui/main/tap_tempo.h"

class QAction;
class QMenu;

namespace corvane {

class AudioBackend;
class GlobalHotKey;
class GamepadCapture;
class PressLabel;
class QtEngineUi;
class SettingsStore;
class TapSequence;
class TfrmFlash;
class TfrmOptions;
class TfrmTipOfTheDay;
class TTimer1;

class TfrmMain : public QWidget {
  Q_OBJECT
 public:
  // Creation (FormCreate): shapes the window and starts the audio engine.
  TfrmMain(SettingsStore& store, AudioBackend* backend, QWidget* parent = nullptr);
  ~TfrmMain() override;

  void SetTempo(double b, bool checklimits);
  void SetVolume(int v);
  void StartStop();
  void PlaybackEnded();  // the fade-out stopped the stream
  void ShowStopped();    // the start/stop button's stopped picture
  void RhythmChanged();
  void RunRhythmCommand(RhythmCommand command);

  // Display panel.
  void UpdateLabels();
  void DisplayFPB();
  void BeatAndTimeUpdate();
  void SetAnimatorMode(bool on);  // the panel's look, set by the options
  bool AnimatorMode() const { return animatorMode_; }
  void SetFramesPerSecondText(const QString& text) { fpsText_ = text; }

  // Keyboard, wheel and the system-wide inputs.
  bool HandleKey(Key key, Modifiers mods);
  void HotKeyPressed() { StartStop(); }
  void GamepadButtonPressed() { StartStop(); }
  void GamepadMoved(int x, int y);

  // Tap tempo.
  void TapPress();
  void TapRelease();
  bool IsTapping() const { return tapSequence_ != nullptr; }
  void StartTapping();
  void StopTapping();
  void RegisterTap();
  void TapTimedOut(int generation);  // the time-out timer's tick, carried over
  void SetTapClock(std::function<uint32_t()> clock) { tapClock_ = std::move(clock); }
  TTimer1* TapTimer() const { return tapTimer_.get(); }

  // The beat flasher, created at the first activation.
  void FlasherUpdate();
  TfrmFlash* Flasher() const { return flasher_; }
  void ForwardKeyPress(QKeyEvent* event) { keyPressEvent(event); }

  // The first activation's checks; runs once.
  void RunStartupSequence();
  void SetTipWindow(TfrmTipOfTheDay* tips) { tips_ = tips; }
  void SetOptions(TfrmOptions* options);

  // Pieces the tests look at.
  QMenu* RhythmMenu() const { return rhythmMenu_; }
  QMenu* MainMenu() const { return mainMenu_; }
  QAction* ActionFor(RhythmCommand command) const { return actions_.at(command); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void CreateDisplay();
  void CreateMenus();
  void ConnectControls();
  void CheckStartupSound(int slot);
  void ShowPicture(bool running);
  void PopupFrom(PressLabel* button, QMenu* menu);
  void OpenTypedTempo();
  void CommitTypedTempo();
  void OpenManual();
  void OpenAbout();
  void SetSubbeatPicture(const std::string& subbeats);
  static void Translate(const QKeyEvent* event, Key* key, Modifiers* mods);

  SettingsStore& store_;
  std::unique_ptr<QtEngineUi> engineUi_;
  QPixmap background_;
  std::array<QPixmap, 7> subbeatPictures_;

  PressLabel* imgShaft = nullptr;
  PressLabel* imgSlider = nullptr;
  PressLabel* imgShaftVol = nullptr;
  PressLabel* imgSliderVol = nullptr;
  PressLabel* lblTempo = nullptr;
  QLineEdit* Edit1 = nullptr;
  PressLabel* lblMeter = nullptr;
  PressLabel* lblMeterTitle = nullptr;
  PressLabel* imgSubbeats = nullptr;
  PressLabel* lblBPMTitle = nullptr;
  PressLabel* lblBeat = nullptr;
  PressLabel* lblBeatTitle = nullptr;
  PressLabel* lblTime = nullptr;
  PressLabel* lblTimeTitle = nullptr;
  PressLabel* lblTap = nullptr;
  PressLabel* imgBtnMenu = nullptr;
  PressLabel* imgBtnPreset = nullptr;
  PressLabel* imgBtnMeter = nullptr;
  PressLabel* imgBtnTap = nullptr;
  PressLabel* Image5 = nullptr;
  PressLabel* imgMinimize = nullptr;
  PressLabel* imgClose = nullptr;

  QMenu* mainMenu_ = nullptr;
  QMenu* rhythmMenu_ = nullptr;
  std::map<RhythmCommand, QAction*> actions_;

  int tempoGrab_ = 0;   // grab offset of a tempo drag; 0 = no drag
  int volumeGrab_ = 0;  // grab offset of a volume drag
  bool animatorMode_ = false;
  QString fpsText_ = QStringLiteral("24");
  bool startupDone_ = false;
  bool engineRunning_ = false;
  bool traceBeats_ = false;
  TfrmTipOfTheDay* tips_ = nullptr;
  TfrmOptions* options_ = nullptr;
  TfrmFlash* flasher_ = nullptr;
  QAction* flasherItem_ = nullptr;
  QList<QAction*> optionItems_;
  std::unique_ptr<TapSequence> tapSequence_;
  std::unique_ptr<TTimer1> tapTimer_;
  int tapGeneration_ = 0;
  std::function<uint32_t()> tapClock_ = MillisecondTicks;
  void CreateFlasher();
};

}  // namespace corvane
