// The main window driven as a user would: sliders, typed tempo, keys, wheel,
// rhythm menu, display and start-up checks.
#include <QAction>
#include <QPushButton>
#include <QLineEdit>
#include <QMenu>
#include <QWheelEvent>
#include <thread>

#include "engine/audio_engine.h"
#include "engine/streaming.h"
#include "gui_fixture.h"
#include "ui/main/main_window.h"
#include "ui/main/press_label.h"
#include "settings/sound_combo.h"
#include "ui/main/skin.h"

using namespace corvane;
using namespace corvane::testing;

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<GuiSandbox> sandbox;
  std::unique_ptr<ProgramWindows> program;
  TfrmMain* window = nullptr;
  SettingsStore* store = nullptr;
  VirtualAudioBackend* backend = nullptr;

  // The windows as the program creates them, with both default sounds present.
  void Create(bool withDevice = true, const std::function<void(SettingsStore&)>& stored = {}) {
    program = std::make_unique<ProgramWindows>(*sandbox, withDevice, stored);
    window = program->main.get();
    store = &program->store;
    backend = &program->backend;
  }
  template <class T = QLabel>
  T* Child(const char* name) {
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    if (!child) qFatal("no control %s", name);
    return child;
  }
  PressLabel* Control(const char* name) { return Child<PressLabel>(name); }
  EngineSettings& S() { return Engine().Settings; }
  void SetRhythm(const char* meter, int divisor, const char* subbeats) {
    S().SetMeter(meter);
    S().SetBeatDivisor(divisor);
    S().SetSubbeats(subbeats);
    window->UpdateLabels();
  }
  QStringList CheckedItems(const QString& submenu) {
    QStringList checked;
    for (QAction* a : window->RhythmMenu()->actions())
      if (a->menu() && a->text() == submenu)
        for (QAction* item : a->menu()->actions())
          if (item->isChecked()) checked << item->text();
    return checked;
  }
  void Wheel(int delta, Qt::KeyboardModifiers mods) {
    QWheelEvent event(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(window, &event);
  }

 private slots:
  void initTestCase() { LoadDisplayFont(); }
  void init() { sandbox = std::make_unique<GuiSandbox>(); }
  void cleanup() {
    program.reset();
    sandbox.reset();
  }

  void setTempo_data() {
    QTest::addColumn<double>("tempo");
    QTest::addColumn<bool>("checklimits");
    QTest::addColumn<double>("expected");
    QTest::addColumn<int>("knobLeft");
    QTest::newRow("120 in the limits") << 120.0 << true << 120.0 << 143;
    QTest::newRow("above MaxBPM, checked") << 250.0 << true << 208.0 << 231;
    QTest::newRow("below MinBPM, checked") << 10.0 << true << 40.0 << 63;
    QTest::newRow("typed 300 stands, knob at right end") << 300.0 << false << 300.0 << 231;
    QTest::newRow("typed 20 stands, knob at left end") << 20.0 << false << 20.0 << 63;
    QTest::newRow("0 gives 1") << 0.0 << false << 1.0 << 63;
    QTest::newRow("1500 gives 999") << 1500.0 << false << 999.0 << 231;
    QTest::newRow("fraction kept, knob rounded") << 99.5 << false << 99.5 << 122;  // 122.5 to even
  }
  void setTempo() {
    QFETCH(double, tempo);
    QFETCH(bool, checklimits);
    Create();
    window->SetTempo(tempo, checklimits);
    QCOMPARE(S().BPM.load(), DATA(double, expected));
    QCOMPARE(Control("imgSlider")->x(), DATA(int, knobLeft));
  }

  void setVolume_data() {
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("knobTop");
    QTest::newRow("100 gives 0, knob at top") << 100 << 0 << 141;
    QTest::newRow("-5000 gives -3000, knob at bottom") << -5000 << -3000 << 174;
    QTest::newRow("-1500 in the middle") << -1500 << -1500 << 158;  // 157.5 to even
    QTest::newRow("-1000 default") << -1000 << -1000 << 152;
  }
  void setVolume() {
    Create();
    window->SetVolume(DATA(int, volume));
    QFETCH(int, expected);
    QCOMPARE(S().MasterVol.load(), expected);
    QCOMPARE(backend->Buffer(0)->Volume(), expected == -3000 ? -10000 : expected);  // the bottom is silence
    QCOMPARE(Control("imgSliderVol")->y(), DATA(int, knobTop));
  }

  void sliderClicks_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<double>("tempo");
    QTest::addColumn<int>("volume");
    QTest::newRow("tempo track at x 150") << "imgShaft" << QPoint(150, 175) << 112.0 << -1000;
    QTest::newRow("tempo track left end") << "imgShaft" << QPoint(64, 175) << 40.0 << -1000;
    QTest::newRow("tempo track right end") << "imgShaft" << QPoint(260, 175) << 208.0 << -1000;
    QTest::newRow("volume track top") << "imgShaftVol" << QPoint(28, 146) << 120.0 << 0;
    QTest::newRow("volume track bottom") << "imgShaftVol" << QPoint(28, 184) << 120.0 << -3000;
    QTest::newRow("volume track middle") << "imgShaftVol" << QPoint(28, 163) << 120.0 << -1545;
  }
  void sliderClicks() {
    Create();
    QFETCH(QString, control);
    PressAt(Control(qPrintable(control)), DATA(QPoint, at));
    QCOMPARE(S().BPM.load(), DATA(double, tempo));
    QCOMPARE(S().MasterVol.load(), DATA(int, volume));
  }

  void tempoDrag() {
    Create();
    PressLabel* knob = Control("imgSlider");  // at 143 for 120 BPM
    PressAt(knob, {153, 175});                // grab offset 10
    SendMouse(knob, QEvent::MouseMove, {183, 175}, Qt::LeftButton);
    QCOMPARE(S().BPM.load(), 150.0);
    QCOMPARE(knob->x(), 173);
    SendMouse(knob, QEvent::MouseMove, {183, 150}, Qt::LeftButton);  // off the track: the drag ends
    SendMouse(knob, QEvent::MouseMove, {203, 175}, Qt::LeftButton);
    QCOMPARE(S().BPM.load(), 150.0);

    ReleaseAt(knob, {203, 175});
    PressAt(knob, {173, 175});  // grab offset 0: the first pixel column starts no drag
    SendMouse(knob, QEvent::MouseMove, {190, 175}, Qt::LeftButton);
    QCOMPARE(S().BPM.load(), 150.0);

    // A tempo typed below the limits leaves the knob at the left; a click jumps back in.
    window->SetTempo(20, false);
    QCOMPARE(knob->x(), 63);
    PressAt(Control("imgShaft"), {100, 175});
    QCOMPARE(S().BPM.load(), 62.0);

    PressLabel* volKnob = Control("imgSliderVol");  // at 152 for -1000
    PressAt(volKnob, {28, 155});                     // grab offset 3
    SendMouse(volKnob, QEvent::MouseMove, {28, 177}, Qt::LeftButton);
    QCOMPARE(S().MasterVol.load(), -3000);
    ReleaseAt(volKnob, {28, 177});
    SendMouse(volKnob, QEvent::MouseMove, {28, 150}, Qt::LeftButton);
    QCOMPARE(S().MasterVol.load(), -3000);
  }

  void typedTempo_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0") << "0" << 1.0 << "1";
    QTest::newRow("1500") << "1500" << 999.0 << "999";
    QTest::newRow("300 above MaxBPM") << "300" << 300.0 << "300";
    QTest::newRow("99.5") << "99.5" << 99.5 << "99.5";
    QTest::newRow("not a number") << "fast" << 120.0 << "120";
    QTest::newRow("infinity is not a tempo") << "inf" << 120.0 << "120";
    QTest::newRow("not a number, spelled") << "nan" << 120.0 << "120";
  }
  void typedTempo() {
    Create();
    PressAt(Control("lblTempo"), {170, 100});
    auto* edit = Child<QLineEdit>("Edit1");
    QVERIFY(edit->isVisible() || !window->isVisible());
    QCOMPARE(edit->text(), QString("120"));
    edit->setText(DATA(QString, text));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(S().BPM.load(), DATA(double, expected));
    QVERIFY(edit->isHidden());
    QCOMPARE(Control("lblTempo")->text(), DATA(QString, shown));
  }

  void typedTempoCommitsOnEscapeAndBackgroundClick() {
    Create();
    window->show();
    auto* edit = Child<QLineEdit>("Edit1");
    PressAt(Control("lblTempo"), {170, 100});
    edit->setText("133");
    QTest::keyClick(edit, Qt::Key_Escape);  // Escape commits as well: there is no cancel
    QCOMPARE(S().BPM.load(), 133.0);
    PressAt(Control("lblTempo"), {170, 100});
    edit->setText("90");
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(80, 140));
    QVERIFY(edit->isHidden());
    QCOMPARE(S().BPM.load(), 90.0);
  }

  void keyTable_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<double>("bpm");      // before
    QTest::addColumn<int>("volume");      // before
    QTest::addColumn<double>("expBpm");
    QTest::addColumn<int>("expVolume");
    QTest::addColumn<QString>("expMeter");
    QTest::addColumn<QString>("expSubbeats");
    using M = Qt::KeyboardModifiers;
    const M none, shift(Qt::ShiftModifier), ctrl(Qt::ControlModifier), alt(Qt::AltModifier);
    const M ctrlAlt = ctrl | alt, ctrlShift = ctrl | shift;
    auto row = [](const char* name, int key, M mods, double bpm, int vol, double eb, int ev, const char* meter,
                  const char* subs) {
      QTest::newRow(name) << key << mods << bpm << vol << eb << ev << QString(meter) << QString(subs);
    };
    // tempo and volume
    row("PageUp at 205 gives MaxBPM", Qt::Key_PageUp, none, 205, -1000, 208, -1000, "Xxxx", "ss");
    row("PageUp at 204", Qt::Key_PageUp, none, 204, -1000, 208, -1000, "Xxxx", "ss");
    row("PageDown", Qt::Key_PageDown, none, 100, -1000, 92, -1000, "Xxxx", "ss");
    row("PageDown at 45 stops at MinBPM", Qt::Key_PageDown, ctrl, 45, -1000, 40, -1000, "Xxxx", "ss");
    row("Right", Qt::Key_Right, none, 120, -1000, 121, -1000, "Xxxx", "ss");
    row("Ctrl+Right ignores MaxBPM", Qt::Key_Right, ctrl, 204, -1000, 212, -1000, "Xxxx", "ss");
    row("Ctrl+Shift+Right is still Ctrl", Qt::Key_Right, ctrlShift, 120, -1000, 128, -1000, "Xxxx", "ss");
    row("Left at 1 stays 1", Qt::Key_Left, none, 1, -1000, 1, -1000, "Xxxx", "ss");
    row("Ctrl+Left", Qt::Key_Left, ctrl, 120, -1000, 112, -1000, "Xxxx", "ss");
    row("Up at -50 gives 0", Qt::Key_Up, none, 120, -50, 120, 0, "Xxxx", "ss");
    row("Ctrl+Up", Qt::Key_Up, ctrl, 120, -1000, 120, -500, "Xxxx", "ss");
    row("Down", Qt::Key_Down, none, 120, -1000, 120, -1100, "Xxxx", "ss");
    row("Ctrl+Down at -2800 gives -3000", Qt::Key_Down, ctrl, 120, -2800, 120, -3000, "Xxxx", "ss");
    row("Shift+equals doubles", Qt::Key_Equal, shift, 120, -1000, 240, -1000, "Xxxx", "ss");
    row("Shift+plus as reported doubles", Qt::Key_Plus, shift, 150, -1000, 300, -1000, "Xxxx", "ss");
    row("Double of 600 gives 999", Qt::Key_Plus, shift, 600, -1000, 999, -1000, "Xxxx", "ss");
    row("plain equals does nothing", Qt::Key_Equal, none, 120, -1000, 120, -1000, "Xxxx", "ss");
    row("Ctrl+Shift+equals does nothing", Qt::Key_Equal, ctrlShift, 120, -1000, 120, -1000, "Xxxx", "ss");
    row("Shift+minus halves 45 to 22", Qt::Key_Underscore, shift, 45, -1000, 22, -1000, "Xxxx", "ss");
    row("halves 47 to 24", Qt::Key_Minus, shift, 47, -1000, 24, -1000, "Xxxx", "ss");
    row("halves 1 to 1", Qt::Key_Minus, shift, 1, -1000, 1, -1000, "Xxxx", "ss");
    row("plain minus does nothing", Qt::Key_Minus, none, 120, -1000, 120, -1000, "Xxxx", "ss");
    // meters
    row("1", Qt::Key_1, none, 120, -1000, 120, -1000, "x", "ss");
    row("2", Qt::Key_2, none, 120, -1000, 120, -1000, "Xx", "ss");
    row("3", Qt::Key_3, none, 120, -1000, 120, -1000, "Xxx", "ss");
    row("4", Qt::Key_4, none, 120, -1000, 120, -1000, "Xxxx", "ss");
    row("5", Qt::Key_5, none, 120, -1000, 120, -1000, "XxxXx", "ss");
    row("6", Qt::Key_6, none, 120, -1000, 120, -1000, "Xxxxxx", "ss");
    row("7", Qt::Key_7, none, 120, -1000, 120, -1000, "XxxxXxx", "ss");
    row("8", Qt::Key_8, none, 120, -1000, 120, -1000, "Xxxxxxxx", "ss");
    row("9 does nothing", Qt::Key_9, none, 120, -1000, 120, -1000, "Xxxx", "ss");
    // subdivisions
    row("0", Qt::Key_0, none, 120, -1000, 120, -1000, "Xxxx", "");
    row("Ctrl+0", Qt::Key_0, ctrl, 120, -1000, 120, -1000, "Xxxx", "");
    row("grave", Qt::Key_QuoteLeft, none, 120, -1000, 120, -1000, "Xxxx", "");
    row("Shift+grave as tilde", Qt::Key_AsciiTilde, shift, 120, -1000, 120, -1000, "Xxxx", "");
    row("Shift+1 as reported", Qt::Key_Exclam, shift, 120, -1000, 120, -1000, "Xxxx", "s");
    row("Ctrl+1", Qt::Key_1, ctrl, 120, -1000, 120, -1000, "Xxxx", "s");
    row("Alt+2", Qt::Key_2, alt, 120, -1000, 120, -1000, "Xxxx", "ss");
    row("Ctrl+3", Qt::Key_3, ctrl, 120, -1000, 120, -1000, "Xxxx", "sss");
    row("Alt+3", Qt::Key_3, alt, 120, -1000, 120, -1000, "Xxxx", "s_s");
    row("Shift+3 does nothing", Qt::Key_NumberSign, shift, 120, -1000, 120, -1000, "Xxxx", "ss");
    row("Ctrl+Alt+3 does nothing", Qt::Key_3, ctrlAlt, 120, -1000, 120, -1000, "Xxxx", "ss");
    row("Ctrl+4", Qt::Key_4, ctrl, 120, -1000, 120, -1000, "Xxxx", "ssss");
    row("Alt+4", Qt::Key_4, alt, 120, -1000, 120, -1000, "Xxxx", "s__s");
    row("Ctrl+Alt+4 does nothing", Qt::Key_4, ctrlAlt, 120, -1000, 120, -1000, "Xxxx", "ss");
    row("Shift+4 does nothing", Qt::Key_Dollar, shift, 120, -1000, 120, -1000, "Xxxx", "ss");
    row("Shift+5", Qt::Key_Percent, shift, 120, -1000, 120, -1000, "Xxxx", "sssss");
    row("Ctrl+6", Qt::Key_6, ctrl, 120, -1000, 120, -1000, "Xxxx", "ssssss");
    row("Alt+7", Qt::Key_7, alt, 120, -1000, 120, -1000, "Xxxx", "sssssss");
    row("Ctrl+Alt+8", Qt::Key_8, ctrlAlt, 120, -1000, 120, -1000, "Xxxx", "ssssssss");
    // keys outside the table, and the keypad
    row("keypad 3 does nothing", Qt::Key_3, Qt::KeypadModifier, 120, -1000, 120, -1000, "Xxxx", "ss");
    row("letter A does nothing", Qt::Key_A, none, 120, -1000, 120, -1000, "Xxxx", "ss");
    row("M without the constructor yet", Qt::Key_M, none, 120, -1000, 120, -1000, "Xxxx", "ss");
  }
  void keyTable() {
    Create();
    QFETCH(double, bpm);
    QFETCH(int, volume);
    window->SetTempo(bpm, false);
    window->SetVolume(volume);
    SetRhythm("Xxxx", 1, "ss");
    QTest::keyClick(window, Qt::Key(DATA(int, key)), DATA(Qt::KeyboardModifiers, mods));
    QCOMPARE(S().BPM.load(), DATA(double, expBpm));
    QCOMPARE(S().MasterVol.load(), DATA(int, expVolume));
    QCOMPARE(QString::fromStdString(S().Meter.Get()), DATA(QString, expMeter));
    QCOMPARE(QString::fromStdString(S().Subbeats.Get()), DATA(QString, expSubbeats));
    QCOMPARE(Control("lblTempo")->text(), QLocale().toString(S().BPM.load(), 'g', 15));
  }

  void spaceStartsAndStops() {
    Create();
    QTest::keyClick(window, Qt::Key_Space);
    QVERIFY(IsPlaying());
    QCOMPARE(Control("Image5")->ShownImage(), 1);
    QTest::keyClick(window, Qt::Key_Space, Qt::AltModifier);  // any modifiers
    QVERIFY(!IsPlaying());
    QCOMPARE(Control("Image5")->ShownImage(), 0);
    PressAt(Control("Image5"), {290, 160});
    QVERIFY(IsPlaying());
    QTest::keyPress(window, Qt::Key_T);  // a tap stops the stream
    QVERIFY(!IsPlaying());
    QCOMPARE(Control("Image5")->ShownImage(), 0);
    QCOMPARE(Control("imgBtnTap")->ShownImage(), 1);
    QTest::keyRelease(window, Qt::Key_T);
    QCOMPARE(Control("imgBtnTap")->ShownImage(), 0);
  }

  void gamepad_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<double>("expBpm");
    QTest::addColumn<int>("expVolume");
    QTest::newRow("left end") << 0 << 32767 << 116.0 << -1000;
    QTest::newRow("right end") << 65535 << 32767 << 124.0 << -1000;
    QTest::newRow("up") << 32767 << 0 << 120.0 << -750;
    QTest::newRow("down and left") << 0 << 65535 << 116.0 << -1250;
    QTest::newRow("between the ends") << 100 << 65000 << 120.0 << -1000;
  }
  void gamepad() {
    Create();
    window->GamepadMoved(DATA(int, x), DATA(int, y));
    QCOMPARE(S().BPM.load(), DATA(double, expBpm));
    QCOMPARE(S().MasterVol.load(), DATA(int, expVolume));
    window->SetTempo(206, false);
    window->GamepadMoved(65535, 32767);  // the stick keeps to the limits
    QCOMPARE(S().BPM.load(), 208.0);
  }

  void startStopWithoutDevice() {
    Create(false);
    QVERIFY(!OutputReady());
    QTest::keyClick(window, Qt::Key_Space);
    QVERIFY(!IsPlaying());
    QCOMPARE(sandbox->messages, QStringList{"The device has not been initialized. No sound."});
  }

  void wheel_data() {
    QTest::addColumn<int>("delta");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<double>("expBpm");
    QTest::addColumn<int>("expVolume");
    QTest::newRow("one notch away") << 120 << false << 121.0 << -1000;
    QTest::newRow("one notch toward") << -120 << false << 119.0 << -1000;
    QTest::newRow("two notches ignore MaxBPM") << 240 << false << 122.0 << -1000;
    QTest::newRow("less than a notch does nothing") << 119 << false << 120.0 << -1000;
    QTest::newRow("less than a notch back does nothing") << -60 << false << 120.0 << -1000;
    QTest::newRow("Ctrl: one notch louder") << 120 << true << 120.0 << -880;
    QTest::newRow("Ctrl: small turn counts") << -30 << true << 120.0 << -1030;
  }
  void wheel() {
    Create();
    QFETCH(bool, ctrl);
    Wheel(DATA(int, delta), ctrl ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(S().BPM.load(), DATA(double, expBpm));
    QCOMPARE(S().MasterVol.load(), DATA(int, expVolume));
  }

  void rhythmMenuLayout() {
    Create();
    QStringList top, beats, subs, latin, flamenco;
    for (QAction* a : window->RhythmMenu()->actions()) {
      top << (a->isSeparator() ? "-" : a->text());
      if (!a->menu()) continue;
      QStringList& list = a->text() == "Beats"             ? beats
                          : a->text() == "Subdivisions"    ? subs
                          : a->text() == "Latin styles"    ? latin
                                                           : flamenco;
      for (QAction* item : a->menu()->actions()) list << (item->isSeparator() ? "-" : item->text());
    }
    QCOMPARE(top, (QStringList{"Edit...", "-", "Beats", "Subdivisions", "-", "Latin styles", "Flamenco styles"}));
    QCOMPARE(beats, (QStringList{"1", "2", "3", "4", "3+2", "5/2", "7/2"}));
    QCOMPARE(subs, (QStringList{"None", "Single", "Duple", "Triple", "Quadruple", "Quintuple", "Sextuple",
                                "Septuple", "-", "Triple 3th", "Quadruple 4th"}));
    QCOMPARE(latin, (QStringList{"Son clave 3-2 ", "Son clave 2-3", "Rumba clave 3-2", "Rumba clave 2-3",
                                 "6/8 Afro clave", "Merengue", "Bossa Nova clave", "Samba", "Tango"}));
    QCOMPARE(flamenco, (QStringList{QString::fromUtf8("Sole\u00e1"), "Seguiriya"}));
  }

  void quickCommands_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("meter");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<QString>("subbeats");
    QTest::addColumn<QString>("beatsChecked");
    QTest::addColumn<QString>("subsChecked");
    // Each starts from 4/4 with the triple subdivision.
    QTest::newRow("3+2 keeps the triple") << "actSetBeats5" << "XxxXx" << 1 << "sss" << "3+2" << "Triple";
    QTest::newRow("5/2") << "mniN2d5" << "X_x_x" << 2 << "sss" << "5/2" << "Triple";
    QTest::newRow("7/2") << "mniN3d5" << "X_x_x_x" << 2 << "sss" << "7/2" << "Triple";
    QTest::newRow("6 has no item") << "actSetBeats6" << "Xxxxxx" << 1 << "sss" << "" << "Triple";
    QTest::newRow("shuffle") << "actSetSubsShuffle" << "Xxxx" << 1 << "s_s" << "4" << "Triple 3th";
    QTest::newRow("quad 4th") << "actSetSubsQuad4th" << "Xxxx" << 1 << "s__s" << "4" << "Quadruple 4th";
    QTest::newRow("octuple has no item") << "actOctuple" << "Xxxx" << 1 << "ssssssss" << "4" << "";
    QTest::newRow("none") << "actSetSubsNone" << "Xxxx" << 1 << "" << "4" << "None";
    QTest::newRow("son clave 3-2") << "mniSonclave32Click" << "x__x__x___x_x___" << 2 << "" << "" << "None";
    QTest::newRow("son clave 2-3") << "mniSonclave23Click" << "__x_x___x__x__x_" << 2 << "" << "" << "None";
    QTest::newRow("rumba 3-2") << "mniRumbaclaveClick" << "x__x___x__x_x___" << 2 << "" << "" << "None";
    QTest::newRow("rumba 2-3") << "mniRumbaclave23Click" << "__x_x___x__x___x" << 2 << "" << "" << "None";
    QTest::newRow("afro 6/8") << "mniN68AfroclaveClick" << "x_x_x__x_x__" << 3 << "" << "" << "None";
    QTest::newRow("merengue") << "mniMerengueClick" << "X__x__x_" << 2 << "" << "" << "None";
    QTest::newRow("bossa") << "mniBossaNovaclaveClick" << "x__x__x___x__x__" << 2 << "" << "" << "None";
    QTest::newRow("samba") << "mniSambaClick" << "X__xx__x" << 4 << "" << "" << "None";
    QTest::newRow("tango") << "mniTangoClick" << "X__xx_x_" << 2 << "" << "" << "None";
    QTest::newRow("solea") << "mniFlamencoSoleaClick" << "__X__X_X_X_X" << 3 << "sss" << "" << "Triple";
    QTest::newRow("seguiriya") << "mniFlamencoSeguiriyaClick" << "X_X_X__X__X_" << 3 << "sss" << "" << "Triple";
  }
  void quickCommands() {
    Create();
    SetRhythm("Xxxx", 1, "sss");
    QAction* action = window->findChild<QAction*>(DATA(QString, action));
    QVERIFY(action);
    action->trigger();
    QCOMPARE(QString::fromStdString(S().Meter.Get()), DATA(QString, meter));
    QCOMPARE(S().BeatDivisor.load(), DATA(int, divisor));
    QCOMPARE(QString::fromStdString(S().Subbeats.Get()), DATA(QString, subbeats));
    QFETCH(QString, beatsChecked);
    QFETCH(QString, subsChecked);
    QCOMPARE(CheckedItems("Beats"), beatsChecked.isEmpty() ? QStringList() : QStringList{beatsChecked});
    QCOMPARE(CheckedItems("Subdivisions"), subsChecked.isEmpty() ? QStringList() : QStringList{subsChecked});
    for (const char* style : {"Latin styles", "Flamenco styles"}) QCOMPARE(CheckedItems(style), QStringList());
    QCOMPARE(Control("lblMeter")->geometry().right() + 1, 236);  // right edge stays
  }

  void checkmarksFollowEveryChange() {
    Create();
    SetRhythm("X_x_x", 1, "");  // as the meter constructor could leave it
    QCOMPARE(CheckedItems("Beats"), QStringList());
    SetRhythm("Xxx", 1, "sssss");
    QCOMPARE(CheckedItems("Beats"), QStringList{"3"});
    QCOMPARE(CheckedItems("Subdivisions"), QStringList{"Quintuple"});
  }

  void menusReleaseTheirButtons() {
    Create();
    window->show();
    for (const char* name : {"imgBtnMenu", "imgBtnMeter"}) {
      PressLabel* button = Control(name);
      PressAt(button, button->geometry().center());
      QCOMPARE(button->ShownImage(), 1);
      QMenu* menu = QString(name) == "imgBtnMenu" ? window->MainMenu() : window->RhythmMenu();
      QTRY_VERIFY(menu->isVisible());
      menu->close();
      QCOMPARE(button->ShownImage(), 0);
    }
  }

  void mainMenuOpensManual() {
    Create();
    QStringList enabled;
    for (QAction* a : window->MainMenu()->actions())
      if (!a->isSeparator() && a->isEnabled()) enabled << a->text();
    QCOMPARE(enabled, (QStringList{"Sound Options...", "Volume Options...", "Interface Options...",
                                   "User Manual (PDF)", "About..."}));
    window->MainMenu()->actions()[8]->trigger();
    QCOMPARE(sandbox->opened.size(), 1);
    QCOMPARE(sandbox->opened[0].toLocalFile(), QString::fromStdString((sandbox->dir / "ZKHelp.pdf").string()));
    QCOMPARE(QDir::currentPath(), QString::fromStdString(sandbox->dir.string()));
  }

  void tempoLabel_data() {
    QTest::addColumn<double>("bpm");
    QTest::addColumn<QString>("text");
    QTest::newRow("120") << 120.0 << "120";
    QTest::newRow("99.5") << 99.5 << "99.5";
    QTest::newRow("999") << 999.0 << "999";
    QTest::newRow("1") << 1.0 << "1";
    QTest::newRow("long fraction") << 123.456789 << "123.456789";
  }
  void tempoLabel() {
    Create();
    window->SetTempo(DATA(double, bpm), false);
    QLabel* label = Control("lblTempo");
    QFETCH(QString, text);
    QCOMPARE(label->text(), text);
    // The largest size, at most the starting one, whose width fits 76 pixels.
    const int start = 3264 / window->logicalDpiY();
    QFont font = label->font();
    QVERIFY(font.pointSize() <= start);
    QVERIFY(QFontMetrics(font, window).horizontalAdvance(text) <= 76);
    if (font.pointSize() < start) {
      font.setPointSize(font.pointSize() + 1);
      QVERIFY(QFontMetrics(font, window).horizontalAdvance(text) > 76);
    }
  }

  void subbeatPicture() {
    Create();
    const auto pictures = skin::SubbeatPictures();
    auto shown = [this] { return Control("imgSubbeats")->pixmap().toImage(); };
    SetRhythm("Xxxx", 1, "");
    QCOMPARE(shown(), pictures[0].toImage());
    SetRhythm("Xxxx", 1, "s__s");
    QCOMPARE(shown(), pictures[6].toImage());
    SetRhythm("Xxxx", 1, "sssssss");
    const QImage seven = shown();
    QCOMPARE(seven.size(), QSize(17, 21));
    QCOMPARE(seven.pixelColor(0, 0), skin::kLcdFace);
    for (const QPixmap& p : pictures) QVERIFY(seven != p.toImage());
    SetRhythm("Xxxx", 1, "s_s_s_");
    QVERIFY(shown() != seven);  // 6, not 7
  }

  void beatAndTime_data() {
    QTest::addColumn<QString>("meter");
    QTest::addColumn<int>("beat");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("beatText");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("timeText");
    QTest::newRow("accented first beat") << "Xxxx" << 1 << 1 << 0 << "1" << true << "0:00:00";
    QTest::newRow("plain beat") << "Xxxx" << 3 << 2 << 7 << "3" << false << "0:00:07";
    QTest::newRow("rest cell counts") << "X_x_x" << 2 << 0 << 59 << "2" << false << "0:00:59";
    QTest::newRow("one-cell meter shows -") << "x" << 1 << 2 << 3723 << "-" << false << "1:02:03";
    QTest::newRow("hours wrap after a day") << "Xx" << 2 << 2 << 90000 << "2" << false << "1:00:00";
  }
  void beatAndTime() {
    Create();
    S().SetMeter(DATA(QString, meter).toStdString());
    Engine().ShownBeat = static_cast<int16_t>(DATA(int, beat));
    Engine().ShownBeatKind = static_cast<uint8_t>(DATA(int, kind));
    const auto start = std::chrono::steady_clock::now() - std::chrono::seconds(DATA(int, seconds));
    Engine().PlayStartTicks = start.time_since_epoch().count();
    window->BeatAndTimeUpdate();
    QCOMPARE(Control("lblBeat")->text(), DATA(QString, beatText));
    QCOMPARE(Control("lblBeat")->font().bold(), DATA(bool, bold));
    QCOMPARE(Control("lblTime")->text(), DATA(QString, timeText));
  }

  void beatsArriveFromTheStreamingThread() {
    Create();
    window->show();
    QTest::keyClick(window, Qt::Key_Space);
    QVERIFY(IsPlaying());
    VirtualSoundBuffer* buffer = backend->Buffer(0);
    QTRY_VERIFY(buffer->Playing());
    buffer->Advance(64);  // the device passes cell 1's position
    QTRY_COMPARE(Control("lblBeat")->text(), QString("1"));
    QVERIFY(Control("lblBeat")->font().bold());
    QTest::keyClick(window, Qt::Key_Space);
    QVERIFY(!IsPlaying());
  }

  void animatorLook_data() {
    QTest::addColumn<QString>("fps");
    QTest::addColumn<double>("bpm");
    QTest::addColumn<QString>("shown");
    QTest::newRow("24 fps at 120") << "24" << 120.0 << "12";
    QTest::newRow("25 fps at 100") << "25" << 100.0 << "15";
    QTest::newRow("24 fps at 7") << "24" << 7.0 << "206";
    QTest::newRow("25 fps at 96: 15.625") << "25" << 96.0 << "16";
  }
  void animatorLook() {
    Create();
    window->SetFramesPerSecondText(DATA(QString, fps));
    window->SetAnimatorMode(true);
    window->SetTempo(DATA(double, bpm), false);
    QCOMPARE(Control("lblBeat")->text(), DATA(QString, shown));
    QCOMPARE(Control("lblTimeTitle")->text(), QString("FRAMES PER BEAT"));
    QVERIFY(Control("lblTime")->isHidden() && Control("lblBeatTitle")->isHidden() && Control("imgSubbeats")->isHidden());
    window->SetAnimatorMode(false);
    QCOMPARE(Control("lblBeat")->text(), QString("-"));
    QCOMPARE(Control("lblTimeTitle")->text(), QString("TIME"));
  }

  void animatorWithEmptyFramesField() {
    Create();
    window->SetFramesPerSecondText("24");
    window->SetAnimatorMode(true);
    window->SetFramesPerSecondText("");
    window->SetTempo(60, false);
    QCOMPARE(S().BPM.load(), 60.0);                   // the tempo change stands
    QCOMPARE(Control("lblBeat")->text(), QString("12"));  // the figure stays
    QCOMPARE(sandbox->messages.size(), 1);
  }

  void startupSounds_data() {
    QTest::addColumn<bool>("defaultPresent");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("sound1File");
    QTest::addColumn<bool>("sound1Valid");
    const QString missing = "The audio file\r\"gone.wav\"\rwas not found.\r\r";
    QTest::newRow("default accepted") << true << int(MsgAnswer::Yes)
                                      << missing + "Would you like to use the default one?" << "Click 02b.mwav" << true;
    QTest::newRow("default refused") << true << int(MsgAnswer::No) << missing + "Would you like to use the default one?"
                                     << "gone.wav" << false;
    QTest::newRow("no default either") << false << int(MsgAnswer::Ok) << missing + "You will be prompted to choose one."
                                       << "gone.wav" << false;
  }
  void startupSounds() {
    QFETCH(bool, defaultPresent);
    Create(true, [](SettingsStore& s) { s.WriteStr("Sound1File", "gone.wav"); });
    if (!defaultPresent) std::filesystem::remove(sandbox->dir / "Click 02b.mwav");
    sandbox->answers = {MsgAnswer(DATA(int, answer))};
    QWidget* modal = nullptr;
    QTimer closer;  // local: it must not fire in a later test
    closer.setSingleShot(true);
    connect(&closer, &QTimer::timeout, [&] {
      modal = QApplication::activeModalWidget();
      if (modal) program->options->btnClose->click();
    });
    closer.start(0);
    window->RunStartupSequence();
    QCOMPARE(sandbox->messages, QStringList{DATA(QString, message)});
    QFETCH(QString, sound1File);
    QCOMPARE(QString::fromStdString(S().Sound1File.Get()), sound1File);
    QFETCH(bool, sound1Valid);
    QCOMPARE(Engine().Sounds.Valid(SoundSlot::Sound1), sound1Valid);
    // The options show the outcome, and open modal while a sound is unusable.
    QCOMPARE(program->options->cmbDownBeatfilename->currentText(), sound1Valid ? sound1File : kSelectSound);
    QCOMPARE(modal, sound1Valid ? nullptr : static_cast<QWidget*>(program->options.get()));
    QVERIFY(!program->options->isVisible());
  }

  void startupWithoutDevice() {
    Create(false);
    window->RunStartupSequence();
    window->RunStartupSequence();  // runs once only
    QCOMPARE(sandbox->messages,
             QStringList{"Sorry, but the DirectSound driver is inaccessible.\rError code: 80CF0002\r\r"
                         "No sound can be produced.\r\rHint: the Tap and Export features are available."});
  }

  void startupWithoutFont() {
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(CORVANE_DATA_DIR "/zk3.ttf"));
    QFontDatabase::removeAllApplicationFonts();
    Create();
    window->show();
    window->RunStartupSequence();
    QCOMPARE(sandbox->messages, QStringList{"The required font is missed.\rPlease, reinstall the application."});
    QTRY_VERIFY(!window->isVisible());  // the program ends
    Q_UNUSED(id);
    QFontDatabase::addApplicationFont(QStringLiteral(CORVANE_DATA_DIR "/zk3.ttf"));
  }

  void closingSavesTheEngineSettings() {
    Create();
    window->SetTempo(133, false);
    QTest::keyClick(window, Qt::Key_3, Qt::ControlModifier);
    window->close();
    QCOMPARE(store->ReadFloatDef("BPM", 0), 133.0);
    QCOMPARE(QString::fromStdString(store->ReadStrDef("Subbeats", "?")), QString("sss"));
    QVERIFY(!IsPlaying());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
