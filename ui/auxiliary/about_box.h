#pragma once
// The about box: logo, version, web site and maker.
#include <QDialog>

class QLabel;
class QPushButton;

namespace corvane {

// "major.minor.release" of a version text such as "3.2.1.150"; empty when
// the text holds no version.
QString VersionLine(const QString& version);

class TfrmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmAbout(QWidget* owner);

  QLabel* img1 = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lnklblWebsite = nullptr;
  QLabel* Label5 = nullptr;
  QPushButton* BitBtn1 = nullptr;

  void reject() override { accept(); }  // Esc closes with OK as well

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace corvane
