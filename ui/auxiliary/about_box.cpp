#include "ui/auxiliary/about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>

#include "ui/main/skin.h"
#include "ui/main/user_prompts.h"

#ifndef CORVANE_VERSION
#define CORVANE_VERSION ""
#endif

namespace corvane {

namespace {
const QString kWebsite = QStringLiteral("https://metronome.corvane.example/");

QFont Tahoma12() {
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(12);
  return f;
}
}  // namespace

QString VersionLine(const QString& version) {
  static const QRegularExpression parts(QStringLiteral("^(\\d+)\\.(\\d+)\\.(\\d+)"));
  const QRegularExpressionMatch m = parts.match(version);
  if (!m.hasMatch()) return {};
  return QStringLiteral("%1.%2.%3").arg(m.captured(1).toInt()).arg(m.captured(2).toInt()).arg(m.captured(3).toInt());
}

TfrmAbout::TfrmAbout(QWidget* owner) : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QString());
  setFixedSize(272, 151);
  setFont(Tahoma12());

  img1 = new QLabel(this);
  img1->setPixmap(skin::Logo());
  img1->setGeometry((272 - 188) / 2, 14, 188, 29);
  lblVersion = new QLabel(this);
  lblVersion->setGeometry((272 - 169) / 2, 52, 169, 16);
  lblVersion->setAlignment(Qt::AlignHCenter);
  lblVersion->setFont(Tahoma12());
  lnklblWebsite = new QLabel(this);
  lnklblWebsite->setGeometry(10, 74, 252, 16);
  lnklblWebsite->setAlignment(Qt::AlignHCenter);
  lnklblWebsite->setFont(Tahoma12());
  lnklblWebsite->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(kWebsite));
  lnklblWebsite->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  connect(lnklblWebsite, &QLabel::linkActivated, this, [](const QString& link) { OpenWithShell(QUrl(link)); });
  Label5 = new QLabel(QStringLiteral("Made by Corvane Software."), this);
  Label5->setGeometry(10, 124, 180, 16);
  Label5->setWordWrap(false);
  QFont small = Tahoma12();
  small.setPixelSize(10);
  Label5->setFont(small);
  BitBtn1 = new QPushButton(QStringLiteral("Close"), this);
  BitBtn1->setGeometry(196, 118, 66, 25);
  BitBtn1->setDefault(true);
  BitBtn1->setAutoDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmAbout::showEvent(QShowEvent* event) {
  lblVersion->setText(QStringLiteral("version ") + VersionLine(QStringLiteral(CORVANE_VERSION)));
  if (QWidget* owner = parentWidget()) move(owner->geometry().center() - rect().center());
  QDialog::showEvent(event);
}

}  // namespace corvane
