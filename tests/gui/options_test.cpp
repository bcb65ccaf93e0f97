// The options dialog: creation from stored values, every live change, and
// what it writes at the end.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <cmath>
#include <fstream>

#include "engine/audio_engine.h"
#include "engine/streaming.h"
#include "gui_fixture.h"
#include "settings/colour_box.h"
#include "settings/quiet_setters.h"
#include "settings/sound_combo.h"
#include "ui/main/global_input.h"
#include "ui/main/press_label.h"

using namespace corvane;
using namespace corvane::testing;

namespace {

struct RecordingHotKey : GlobalHotKey {
  bool Register(int modifiers) override {
    calls << QStringLiteral("register %1").arg(modifiers);
    return true;
  }
  void Unregister() override { calls << QStringLiteral("unregister"); }
  QStringList calls;
};

struct RecordingGamepad : GamepadCapture {
  bool Capture() override {
    calls << QStringLiteral("capture");
    return false;  // no joystick: silent
  }
  void Release() override { calls << QStringLiteral("release"); }
  QStringList calls;
};

}  // namespace

class OptionsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<GuiSandbox> sandbox;
  std::unique_ptr<ProgramWindows> program;
  TfrmOptions* options = nullptr;
  EngineSettings& S() { return Engine().Settings; }

  void Create(const std::function<void(SettingsStore&)>& stored = {}) {
    program = std::make_unique<ProgramWindows>(*sandbox, true, stored);
    options = program->options.get();
  }
  QString LabelOf(const char* name) {
    return program->main->findChild<QLabel*>(QString::fromLatin1(name))->text();
  }

 private slots:
  void initTestCase() { LoadDisplayFont(); }
  void init() { sandbox = std::make_unique<GuiSandbox>(); }
  void cleanup() {
    program.reset();
    sandbox.reset();
  }

  void firstRun() {
    Create();
    QCOMPARE(options->windowTitle(), QString("Options"));
    QStringList pages;
    for (int i = 0; i < options->PageControl1->count(); ++i) pages << options->PageControl1->tabText(i);
    QCOMPARE(pages, (QStringList{"Sound", "Volume", "Interface", "Advanced", "System"}));
    QCOMPARE(options->PageControl1->currentIndex(), 0);
    QCOMPARE(S().MinBPM.load(), 40.0);
    QCOMPARE(S().MaxBPM.load(), 208.0);
    QCOMPARE(options->cmbMinBPM->currentText(), QString("40"));
    QCOMPARE(options->cmbMaxBPM->currentText(), QString("208"));
    QCOMPARE(options->trkbarFadeAmount->value(), 1);   // 100 held to 0..1: fade on
    QCOMPARE(options->trkbarFlashSpeed->value(), 20);  // 0 held to 20..200
    QCOMPARE(options->ColorAccented(), 255u);
    QCOMPARE(options->ColorNormal(), 65280u);
    QCOMPARE(options->ColorTapped(), 65535u);
    QCOMPARE(options->cbAccented->currentText(), QString("Red"));
    QVERIFY(options->Precision() == TapPrecision::Integer);
    QVERIFY(options->rbGamepadOn->isChecked());
    QCOMPARE(options->trkbBufferSize->value(), 4);
    QVERIFY(options->rbAnimatorModeOff->isChecked());
    QVERIFY(!options->edtFPS->isEnabled());
    QVERIFY(options->chkAlt->isChecked() && !options->chkCtrl->isChecked());
    QCOMPARE(options->cmbDownBeatfilename->currentText(), QString("Click 02b.mwav"));
    QCOMPARE(options->ComboBoxEx1->count(), int(Engine().DeviceNames.size()));
    QCOMPARE(options->ComboBoxEx1->currentIndex(), int(Engine().SelectedDevice));
    // The engine's ratios become whole decibels at once.
    QCOMPARE(options->trkbDownbeatVol->value(), 0);
    QCOMPARE(options->trkbOrdBeatVol->value(), 5);
    QCOMPARE(options->trkbarSubbeatVol->value(), 15);
    QCOMPARE(options->trkbarBellVol->value(), 9);
    QCOMPARE(options->lblBeatVolRatio->text(), QString("-5dB"));
    QCOMPARE(S().VolRatioBeat.load(), std::pow(10.0, -5 / 20.0));
    QCOMPARE(options->lblDownbeatVolRatio->text(), QString("0dB"));
  }

  void hotKeyAndGamepadAtCreationAndEnd() {
    RecordingHotKey hotKey;
    RecordingGamepad gamepad;
    SettingsStore store{std::filesystem::path()};
    store.WriteInt("GlobalHotKeyMods", 0);
    store.WriteInt("Gamepad", 1);  // "Off": nothing captured
    sandbox->CopySound("Click 02b.mwav");
    VirtualAudioBackend backend;
    TfrmMain main(store, &backend);
    {
      TfrmOptions dialog(store, main, &hotKey, &gamepad);
      QCOMPARE(hotKey.calls, QStringList{"register 0"});  // Space alone
      QVERIFY(gamepad.calls.isEmpty());
      dialog.chkCtrl->click();
      dialog.chkAlt->click();
      dialog.rbGamepadOn->click();
      dialog.rbGamepadOff->click();
    }
    QCOMPARE(hotKey.calls, (QStringList{"register 0", "unregister", "register 2", "unregister", "register 3",
                                        "unregister"}));
    QCOMPARE(gamepad.calls, (QStringList{"capture", "release"}));
    QCOMPARE(store.ReadIntDef("GlobalHotKeyMods", -1), 3);
    QCOMPARE(store.ReadIntDef("Gamepad", -1), 1);
    store.WriteInt("Gamepad", 0);
    TfrmOptions again(store, main, &hotKey, &gamepad);  // stored "On" captures at creation
    QCOMPARE(gamepad.calls.last(), QString("capture"));
  }

  void tempoLimits_data() {
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("bpm");
    QTest::addColumn<bool>("red");
    QTest::addColumn<double>("minBpm");
    QTest::addColumn<double>("maxBpm");
    QTest::addColumn<double>("expBpm");
    QTest::newRow("min 50 is red, gives 40") << "cmbMinBPM" << "50" << 120.0 << true << 40.0 << 208.0 << 120.0;
    QTest::newRow("min 0 gives 1") << "cmbMinBPM" << "0" << 120.0 << true << 1.0 << 208.0 << 120.0;
    QTest::newRow("min 24") << "cmbMinBPM" << "24" << 30.0 << false << 24.0 << 208.0 << 30.0;
    QTest::newRow("min 40 lifts 30") << "cmbMinBPM" << "40" << 30.0 << false << 40.0 << 208.0 << 40.0;
    QTest::newRow("min not a number keeps") << "cmbMinBPM" << "ab" << 120.0 << false << 40.0 << 208.0 << 120.0;
    QTest::newRow("max 1000 gives 999") << "cmbMaxBPM" << "1000" << 120.0 << true << 40.0 << 999.0 << 120.0;
    QTest::newRow("max 150 gives 208") << "cmbMaxBPM" << "150" << 120.0 << true << 40.0 << 208.0 << 120.0;
    QTest::newRow("max 544 changes nothing") << "cmbMaxBPM" << "544" << 120.0 << false << 40.0 << 544.0 << 120.0;
    QTest::newRow("max 208 lowers 300") << "cmbMaxBPM" << "208" << 300.0 << false << 40.0 << 208.0 << 208.0;
  }
  void tempoLimits() {
    Create();
    QFETCH(QString, combo);
    QFETCH(QString, text);
    program->main->SetTempo(DATA(double, bpm), false);
    auto* box = options->findChild<QComboBox*>(combo);
    if (box->currentText() == text)
      emit box->activated(box->findText(text));  // picked from the list again
    else
      box->setEditText(text);  // typed
    QCOMPARE(box->currentText(), text);  // shows what was typed
    QCOMPARE(box->lineEdit()->palette().color(QPalette::Text) == Qt::red, DATA(bool, red));
    QCOMPARE(S().MinBPM.load(), DATA(double, minBpm));
    QCOMPARE(S().MaxBPM.load(), DATA(double, maxBpm));
    QCOMPARE(S().BPM.load(), DATA(double, expBpm));
  }

  void levelsPanAndFlags() {
    Create();
    options->trkbarSubbeatVol->setValue(30);
    QCOMPARE(options->lblSubdivVolRatio->text(), QString("-30dB"));
    QCOMPARE(S().VolRatioSubbeat.load(), std::pow(10.0, -1.5));
    struct Pan {
      int position;
      const char* label;
    };
    for (Pan pan : {Pan{-10000, "-100%"}, Pan{250, "2%"}, Pan{-250, "-2%"}, Pan{10000, "100%"}}) {
      options->trkbarPan->setValue(pan.position);
      QCOMPARE(options->lblPan->text(), QString(pan.label));
      QCOMPARE(S().MasterPan.load(), pan.position);
      QCOMPARE(program->backend.Buffer(0)->Pan(), pan.position);
    }
    const std::pair<QCheckBox*, std::atomic<bool>*> flags[] = {{options->chkMixWithBeat, &S().MixWithBeat},
                                                               {options->chkBellOnFirst, &S().BellOnFirst},
                                                               {options->chkAutoFadeout, &S().AutoFadeout},
                                                               {options->chkBoost6dB, &S().Boost6dB}};
    for (const auto& [box, flag] : flags) {
      const bool before = flag->load();
      box->click();
      QCOMPARE(flag->load(), !before);
    }
  }

  void soundCombosListAndLoad() {
    Create();
    std::filesystem::create_directories(sandbox->dir / "kit" / "folder.wav");
    for (const char* name : {"kit/b.mwav", "kit/A.WAV", "kit/notes.txt"})
      std::filesystem::copy_file(sandbox->dir / "Clave 01 Hi.mwav", sandbox->dir / name);
    options->cmbBeatfilename->setEditText("kit/old.wav");
    options->SoundComboOpened(options->cmbBeatfilename);
    QStringList items;
    for (int i = 0; i < options->cmbBeatfilename->count(); ++i) items << options->cmbBeatfilename->itemText(i);
    QCOMPARE(items, (QStringList{"kit/A.WAV", "kit/b.mwav"}));
    options->cmbBeatfilenamePicked("kit/b.mwav");
    QCOMPARE(QString::fromStdString(S().Sound2File.Get()), QString("kit/b.mwav"));
    QVERIFY(Engine().Sounds.Valid(SoundSlot::Sound2));

    options->cmbDownBeatfilenamePicked("kit/missing.wav");  // reported; the name is kept
    QCOMPARE(sandbox->messages.size(), 1);
    QCOMPARE(QString::fromStdString(S().Sound1File.Get()), QString("kit/missing.wav"));
    QVERIFY(Engine().Sounds.Valid(SoundSlot::Sound1));  // the old sound still plays

    options->Browse(0, "kit/A.WAV");
    QCOMPARE(QString::fromStdString(S().Sound1File.Get()), QString("kit/A.WAV"));
    QCOMPARE(options->cmbDownBeatfilename->currentText(), QString("kit/A.WAV"));
  }

  void deviceAndBufferSize() {
    Create();
    program->main->StartStop();
    QVERIFY(IsPlaying());
    options->trkbBufferSize->setValue(4);  // the size in use: nothing happens
    QVERIFY(IsPlaying());
    options->trkbBufferSize->setValue(6);
    QVERIFY(!IsPlaying());
    QCOMPARE(S().BufferSize.load(), 6 * 8192);
    QVERIFY(OutputReady());
    QCOMPARE(program->backend.Buffer(0)->Size(), uint32_t(6 * 8192));
    program->main->StartStop();
    options->ComboBoxEx1Picked(0);
    QVERIFY(!IsPlaying());
    QCOMPARE(program->main->findChild<PressLabel*>("Image5")->ShownImage(), 0);
    QVERIFY(OutputReady());
  }

  void storedBufferFactorReopens() {
    Create([](SettingsStore& s) { s.WriteInt("BufferSizeFactor", 2); });
    QCOMPARE(S().BufferSize.load(), 2 * 8192);
    QCOMPARE(program->backend.Buffer(0)->Size(), uint32_t(2 * 8192));
  }

  void animatorMode() {
    Create();
    S().SetMeter("XxxXx");
    S().SetSubbeats("sss");
    options->edtFPS->setText("25");
    options->rbAnimatorModeOn->click();
    QVERIFY(options->edtFPS->isEnabled());
    QCOMPARE(QString::fromStdString(S().Meter.Get()), QString("x"));
    QCOMPARE(QString::fromStdString(S().Subbeats.Get()), QString(""));
    program->main->SetTempo(100, false);
    QCOMPARE(LabelOf("lblBeat"), QString("15"));
    QCOMPARE(LabelOf("lblTimeTitle"), QString("FRAMES PER BEAT"));
    options->rbAnimatorModeOff->click();
    QVERIFY(!options->edtFPS->isEnabled());
    QCOMPARE(LabelOf("lblBeat"), QString("-"));
    QCOMPARE(QString::fromStdString(S().Meter.Get()), QString("x"));  // not restored
  }

  void storedValuesComeBackAndAreWritten() {
    Create([](SettingsStore& s) {
      s.WriteInt("MinBPM", 24);
      s.WriteInt("MaxBPM", 376);
      s.WriteInt("ColorAccented", 0x123456);
      s.WriteInt("TapPrecision", 1);
      s.WriteInt("FlashSpeed", 500);
      s.WriteBool("Animatormode", true);
      s.WriteBool("DontShowMesBox1Again", true);
    });
    QCOMPARE(S().MinBPM.load(), 24.0);
    QCOMPARE(S().MaxBPM.load(), 376.0);
    QCOMPARE(options->ColorAccented(), 0x123456u);
    QVERIFY(options->Precision() == TapPrecision::Fractional);
    QCOMPARE(options->trkbarFlashSpeed->value(), 200);
    QVERIFY(options->rbAnimatorModeOn->isChecked());
    QCOMPARE(QString::fromStdString(S().Meter.Get()), QString("x"));
    QVERIFY(options->DontShowMesBox1Again);
    options->cbNormal->SetColour(0x00FF00FF);
    options->rbTapInteger->setChecked(true);
    options->cmbMaxBPM->setEditText("1000");
    SettingsStore& store = program->store;
    program->options.reset();
    QCOMPARE(store.ReadIntDef("MaxBPM", 0), 999);  // the limit in force
    QCOMPARE(store.ReadIntDef("MinBPM", 0), 24);
    QCOMPARE(store.ReadIntDef("ColorNormal", 0), 0x00FF00FF);
    QCOMPARE(store.ReadIntDef("TapPrecision", -1), 0);
    QCOMPARE(store.ReadIntDef("FlashSpeed", 0), 200);
    QCOMPARE(store.ReadIntDef("FadeAmount", 0), 1);
    QCOMPARE(store.ReadIntDef("BufferSizeFactor", 0), 4);
    QCOMPARE(store.ReadBoolDef("Animatormode", false), true);
    QCOMPARE(store.ReadBoolDef("DontShowMesBox1Again", false), true);
    QCOMPARE(store.ReadIntDef("GlobalHotKeyMods", -1), 1);
  }

  void menuAndKeyOpenTheDialog() {
    Create();
    program->main->MainMenu()->actions()[1]->trigger();  // "Volume Options..."
    QVERIFY(options->isVisible());
    QCOMPARE(options->PageControl1->currentIndex(), 1);
    options->btnClose->click();
    QVERIFY(!options->isVisible());
    QTest::keyClick(program->main.get(), Qt::Key_O);  // on its current page
    QVERIFY(options->isVisible());
    QCOMPARE(options->PageControl1->currentIndex(), 1);
    QTest::keyClick(options, Qt::Key_Escape);
    QVERIFY(!options->isVisible());
  }

  void quietSetters() {
    QLineEdit edit;
    QSpinBox upDown;
    int changes = 0;
    connect(&edit, &QLineEdit::textChanged, [&] { ++changes; });
    connect(&upDown, &QSpinBox::valueChanged, [&] { ++changes; });
    connect(&upDown, &QSpinBox::textChanged, [&] { ++changes; });
    SetEditTextQuiet(&edit, "3+2");
    SetUpDownPositionQuiet(&upDown, 7);
    QCOMPARE(edit.text(), QString("3+2"));
    QCOMPARE(upDown.value(), 7);
    QCOMPARE(upDown.text(), QString("7"));
    QCOMPARE(changes, 0);
    edit.setText("4");  // the handlers are back
    QCOMPARE(changes, 1);
  }
};

QTEST_MAIN(OptionsTest)
#include "options_test.moc"
