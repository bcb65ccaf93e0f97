// The tip window and the about box.
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <fstream>

#include "gui_fixture.h"
#include "ui/auxiliary/about_box.h"
#include "ui/auxiliary/tip_of_the_day.h"
#include "ui/main/main_window.h"

using namespace corvane;
using namespace corvane::testing;

namespace {
const QColor kLavender(225, 225, 239), kGreen(225, 239, 225), kPink(239, 225, 225);

QColor Background(QWidget* w) { return w->palette().color(QPalette::Window); }
}  // namespace

class AuxWindowsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<GuiSandbox> sandbox;
  std::unique_ptr<SettingsStore> store;

  void WriteTips(const std::string& text) { std::ofstream(sandbox->dir / "tips.txt") << text; }

 private slots:
  void initTestCase() { LoadDisplayFont(); }
  void init() {
    sandbox = std::make_unique<GuiSandbox>();
    store = std::make_unique<SettingsStore>(std::filesystem::path());
    WriteTips("line one\n\nline three\n\nline five\n");
  }
  void cleanup() {
    store.reset();
    sandbox.reset();
  }

  void tipsCycleWithTheirColours() {
    TfrmTipOfTheDay tips(*store, nullptr);
    struct Step {
      const char* head;
      const char* text;
      QColor background, heading;
    };
    const Step steps[] = {{"Tip 1", "line one", kGreen, QColor(73, 136, 73)},
                          {"Tip 2", "line three", kPink, QColor(136, 73, 73)},
                          {"Tip 3", "line five", kLavender, QColor(73, 73, 136)},
                          {"Tip 1", "line one", kGreen, QColor(73, 136, 73)}};
    for (const Step& step : steps) {
      QCOMPARE(tips.lblTipHead->text(), QString(step.head));
      QCOMPARE(tips.lblTipText->text(), QString(step.text));
      QCOMPARE(Background(&tips), step.background);
      QCOMPARE(tips.lblTipHead->palette().color(QPalette::WindowText), step.heading);
      tips.btnNext->click();
    }
  }

  void closingStoresTheNextTip_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("next");
    QTest::newRow("first") << 1 << "Tip 1" << "line one" << 2;
    QTest::newRow("last wraps") << 3 << "Tip 3" << "line five" << 1;
    QTest::newRow("past the end") << 9 << "Tip 9" << "line five" << 1;
  }
  void closingStoresTheNextTip() {
    QFETCH(int, stored);
    QFETCH(QString, head);
    QFETCH(QString, text);
    QFETCH(int, next);
    store->WriteInt("TipNumber", stored);
    TfrmTipOfTheDay tips(*store, nullptr);
    QCOMPARE(tips.lblTipHead->text(), head);
    QCOMPARE(tips.lblTipText->text(), text);
    QCOMPARE(store->ReadIntDef("TipNumber", -1), stored);  // nothing written before closing
    tips.show();
    QTest::keyClick(&tips, Qt::Key_Escape);
    QCOMPARE(store->ReadIntDef("TipNumber", -1), next);
    QCOMPARE(store->ReadBoolDef("ShowTipsOnStartup", false), true);
  }

  void startupShowsTipsUntilSwitchedOff() {
    sandbox->CopySound("Click 02b.mwav");
    sandbox->CopySound("Clave 01 Hi.mwav");
    VirtualAudioBackend backend;
    TfrmMain main(*store, &backend);
    TfrmTipOfTheDay tips(*store, &main);
    main.SetTipWindow(&tips);
    QWidget* shown = nullptr;
    QTimer closer;  // local: it must not fire in a later test
    closer.setSingleShot(true);
    connect(&closer, &QTimer::timeout, [&] {
      shown = QApplication::activeModalWidget();
      tips.chkShowOnStartup->setChecked(false);
      tips.btnOK->click();
    });
    closer.start(0);
    main.RunStartupSequence();
    QCOMPARE(shown, &tips);
    QCOMPARE(store->ReadBoolDef("ShowTipsOnStartup", true), false);

    TfrmMain again(*store, &backend);  // the next start shows none
    TfrmTipOfTheDay tipsAgain(*store, &again);
    again.SetTipWindow(&tipsAgain);
    again.RunStartupSequence();
    QVERIFY(!tipsAgain.isVisible());
  }

  void missingTipsFileShowsNoWindow() {
    std::filesystem::remove(sandbox->dir / "tips.txt");
    TfrmTipOfTheDay tips(*store, nullptr);
    QVERIFY(!tips.TipsAvailable());
    QCOMPARE(tips.lblTipHead->text(), QString());
  }

  void aboutBox() {
    QCOMPARE(VersionLine("3.2.1.150"), QString("3.2.1"));
    QCOMPARE(VersionLine(""), QString());
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
      TfrmAbout about(nullptr);
      about.show();
      QCOMPARE(about.lblVersion->text(), QString("version " CORVANE_VERSION));
      QTest::keyClick(&about, key);
      QVERIFY(!about.isVisible());
      QCOMPARE(about.result(), int(QDialog::Accepted));
    }
    TfrmAbout about(nullptr);
    emit about.lnklblWebsite->linkActivated("https://metronome.corvane.example/");
    QCOMPARE(sandbox->opened.value(0).toString(), QString("https://metronome.corvane.example/"));
  }
};

QTEST_MAIN(AuxWindowsTest)
#include "aux_windows_test.moc"
