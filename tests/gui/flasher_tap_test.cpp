// The beat flasher window and tap tempo, through the main window.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QWheelEvent>

#include "engine/streaming.h"
#include "flasher/flash_window.h"
#include "gui_fixture.h"
#include "ui/main/press_label.h"
#include "ui/main/tap_timer.h"

using namespace corvane;
using namespace corvane::testing;

class FlasherTapTest : public QObject {
  Q_OBJECT

  std::unique_ptr<GuiSandbox> sandbox;
  std::unique_ptr<ProgramWindows> program;
  TfrmMain* main = nullptr;
  uint32_t now = 0;  // the tap clock, in ms

  void Create(const std::function<void(SettingsStore&)>& stored = {}) {
    program = std::make_unique<ProgramWindows>(*sandbox, true, stored);
    main = program->main.get();
    main->SetTapClock([this] { return now; });
    main->RunStartupSequence();
  }
  void TapAt(uint32_t ms) {
    now = ms;
    main->TapPress();
    main->TapRelease();
  }
  double Bpm() { return Engine().Settings.BPM; }
  QLabel* TapLabel() { return main->findChild<QLabel*>("lblTap"); }
  TfrmFlash* Flasher() { return main->Flasher(); }
  QColor Frame(QPoint at) {
    Flasher()->grab();  // paints
    return Flasher()->BackBuffer().pixelColor(at);
  }

 private slots:
  void initTestCase() { LoadDisplayFont(); }
  void init() { sandbox = std::make_unique<GuiSandbox>(); }
  void cleanup() {
    program.reset();
    sandbox.reset();
  }

  void tapTempo_data() {
    QTest::addColumn<QList<int>>("taps");
    QTest::addColumn<bool>("fractional");
    QTest::addColumn<double>("bpm");
    QTest::addColumn<int>("timeout");
    QTest::newRow("500 ms apart") << QList<int>{0, 500, 1000, 1500} << false << 120.0 << 1500;
    QTest::newRow("118.81 as integer") << QList<int>{0, 500, 1010} << false << 119.0 << 1512;
    QTest::newRow("118.81 as fraction") << QList<int>{0, 500, 1010} << true << 118.8 << 1515;
    QTest::newRow("too fast: MaxBPM") << QList<int>{0, 100} << false << 208.0 << 865;
    QTest::newRow("too slow: MinBPM") << QList<int>{0, 5000} << false << 40.0 << 4500;
    QTest::newRow("30 s apart: MinBPM") << QList<int>{0, 30000} << false << 40.0 << 4500;
  }
  void tapTempo() {
    Create();
    (DATA(bool, fractional) ? program->options->rbTapFractional : program->options->rbTapInteger)->setChecked(true);
    QFETCH(QList<int>, taps);
    TapAt(uint32_t(taps[0]));
    QVERIFY(main->IsTapping());
    QVERIFY(!TapLabel()->isHidden());
    QVERIFY(!main->TapTimer()->Enabled());  // a single tap never times out
    for (int i = 1; i < taps.size(); ++i) TapAt(uint32_t(taps[i]));
    QCOMPARE(Bpm(), DATA(double, bpm));
    QVERIFY(main->TapTimer()->Enabled());
    QCOMPARE(int(main->TapTimer()->Interval()), DATA(int, timeout));
  }

  void sequenceEndsAfterThreeBeatsThenStartsAnew() {
    Create();
    TapAt(0);
    TapAt(100);  // 208 BPM: time-out after 865 ms
    QVERIFY(main->IsTapping());
    QTRY_VERIFY_WITH_TIMEOUT(!main->IsTapping(), 5000);
    QVERIFY(TapLabel()->isHidden());
    TapAt(60000);  // a new sequence: the pause before it does not count
    TapAt(60500);
    QCOMPARE(Bpm(), 120.0);
  }

  void otherEndsOfASequence() {
    Create();
    TapAt(0);
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(main, &wheel);
    QVERIFY(!main->IsTapping());
    QCOMPARE(Bpm(), 119.0);

    TapAt(1000);
    PressAt(main->findChild<PressLabel*>("lblTap"), {220, 112});
    QVERIFY(!main->IsTapping());

    TapAt(2000);
    main->StartStop();  // starting the stream ends tapping
    QVERIFY(!main->IsTapping());
    QVERIFY(IsPlaying());
    TapAt(3000);  // and a tap stops the stream
    QVERIFY(!IsPlaying());
    QVERIFY(main->IsTapping());
  }

  void flasherGeometry() {
    Create();
    const QRect m = main->geometry();
    QCOMPARE(Flasher()->geometry(), QRect(m.left(), m.top() + m.height(), m.width(), 258));
    Flasher()->setGeometry(20, 30, 300, 280);
    main->close();
    QCOMPARE(program->store.ReadIntDef("FlasherLeft", 0), 20);
    QCOMPARE(program->store.ReadIntDef("FlasherTop", 0), 30);
    QCOMPARE(program->store.ReadIntDef("FlasherWidth", 0), 300);
    QCOMPARE(program->store.ReadIntDef("FlasherHeight", 0), 280);

    program.reset();  // the next start
    Create([](SettingsStore& s) {
      s.WriteInt("FlasherLeft", 5);
      s.WriteInt("FlasherTop", 6);
      s.WriteInt("FlasherWidth", 200);
      s.WriteInt("FlasherHeight", 150);
    });
    QCOMPARE(Flasher()->geometry(), QRect(5, 6, 200, 150));
    Flasher()->Resetwindow1Click();
    const QRect g = main->geometry();
    QCOMPARE(Flasher()->geometry(), QRect(g.left(), g.top() + g.height(), g.width(), 258));
  }

  void flasherFrames() {
    Create();
    Engine().ShownBeatKind = 1;
    Flasher()->Update();
    Flasher()->Fade().Stop();
    QCOMPARE(Frame({125, 125}), QColor(255, 0, 0));  // accented: red at full light
    QCOMPARE(Frame({5, 5}), QColor(Qt::black));
    for (int i = 0; i < 1; ++i) Flasher()->Fade().FadeStep();
    QCOMPARE(Frame({125, 60}), QColor(204, 0, 0));  // dimmed with the light
    Engine().ShownBeatKind = 2;
    Flasher()->Update();
    Flasher()->Fade().Stop();
    QCOMPARE(Frame({125, 60}), QColor(0, 255, 0));
    Flasher()->Flashinglight1->setChecked(false);
    QCOMPARE(Frame({125, 60}), QColor(Qt::black));
    Flasher()->Flashinglight1->setChecked(true);
    TapAt(0);  // the tap colour while tapping
    Flasher()->Fade().Stop();
    QCOMPARE(Frame({125, 60}), QColor(255, 255, 0));

    // Stopped: the name is written across the disc in silver.
    auto silverPixels = [this] {
      Flasher()->grab();
      const QImage& img = Flasher()->BackBuffer();
      int silver = 0;
      for (int y = 100; y < 150; ++y)
        for (int x = 60; x < 200; ++x) silver += img.pixelColor(x, y) == QColor(0xC0, 0xC0, 0xC0);
      return silver;
    };
    QVERIFY(silverPixels() > 10);

    // The picture sits in the largest centred square, black beside it.
    Flasher()->resize(400, 250);
    const QImage shown = Flasher()->grab().toImage();
    QCOMPARE(shown.pixelColor(70, 125), QColor(Qt::black));
    QCOMPARE(shown.pixelColor(200, 125), Frame({125, 125}));
  }

  void flasherFollowsTheBeats() {
    Create();
    main->show();  // beats reach the windows only while the main window shows
    main->StartStop();
    VirtualSoundBuffer* buffer = program->backend.Buffer(0);
    QTRY_VERIFY(buffer->Playing());
    QCOMPARE(Flasher()->Fade().Brightness(), uint8_t(0));
    buffer->Advance(64);
    QTRY_VERIFY(Flasher()->Fade().Brightness() > 0);
    main->StartStop();
    QTRY_COMPARE(Flasher()->Fade().Brightness(), uint8_t(0));  // it fades out on its own
    QVERIFY(!Flasher()->Fade().Fading());
  }

  void closingHintAndMenu() {
    Create();
    QAction* item = main->MainMenu()->actions()[4];
    QCOMPARE(item->text(), QString("Beat Flasher window"));
    QVERIFY(item->isChecked() && item->isEnabled());
    QVERIFY(Flasher()->isVisible());
    sandbox->checkBoxAnswer = true;
    Flasher()->close();
    QCOMPARE(sandbox->messages, QStringList{"You can re-open this window by using Menu->Beat Flasher."});
    QVERIFY(program->options->DontShowMesBox1Again);
    QVERIFY(!Flasher()->isVisible());
    QVERIFY(!item->isChecked());
    item->trigger();
    QVERIFY(Flasher()->isVisible());
    Flasher()->close();
    QCOMPARE(sandbox->messages.size(), 1);  // not again
    QVERIFY(Flasher());                     // hidden, not destroyed
  }

  void destroyedWhileFading() {
    for (int round = 0; round < 3; ++round) {
      Create();
      Engine().ShownBeatKind = 1;
      Flasher()->Update();
      QTest::qWait(40 + round * 15);  // a fade step or two are on their way
      QVERIFY(Flasher()->Fade().Fading());
      main->close();  // the flasher goes with its timer running
      QVERIFY(!main->Flasher());
      QTest::qWait(40);  // paint requests still queued must not reach it
      program.reset();
    }
  }

  void keysReachTheMainWindow() {
    Create();
    QTest::keyClick(Flasher(), Qt::Key_3);
    QCOMPARE(QString::fromStdString(Engine().Settings.Meter.Get()), QString("Xxx"));
    QTest::keyClick(Flasher(), Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(Bpm(), 128.0);
  }
};

QTEST_MAIN(FlasherTapTest)
#include "flasher_tap_test.moc"
