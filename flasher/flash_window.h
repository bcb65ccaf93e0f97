#pragma once
// The beat flasher: a disc that lights on every beat and fades, drawn into a
// 250 x 250 image and shown, scaled, in the largest centred square.
#include <QImage>
#include <QWidget>

#include "flasher/flash_fade.h"

class QAction;
class QMenu;

namespace corvane {

class TfrmMain;
class TfrmOptions;

class TfrmFlash : public QWidget {
  Q_OBJECT
 public:
  TfrmFlash(TfrmMain& main, TfrmOptions* options);
  ~TfrmFlash() override;  // the fade stops before anything else goes

  void Update();     // the beat step, for every notification
  void UpdateTap();  // a tap: the beat step at once
  void Resetwindow1Click();

  // The frame as it was last drawn (tests look at it).
  const QImage& BackBuffer() const { return back_; }
  FlashFade& Fade() { return fade_; }
  // The disc's colour now, as a platform colour.
  uint32_t CurrentColour() const;

  QMenu* PopupMenu1 = nullptr;
  QAction* Flashinglight1 = nullptr;
  QAction* Beatnumber1 = nullptr;
  QAction* Resetwindow1 = nullptr;
  QAction* Close1 = nullptr;

 signals:
  void hiddenByUser();  // the main menu's check follows

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void RenderBackBuffer();

  TfrmMain& main_;
  TfrmOptions* options_;
  QImage back_;
  FlashFade fade_;  // last member but the image: destroyed first
};

}  // namespace corvane
