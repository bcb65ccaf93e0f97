#include "ui/main/user_prompts.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QMessageBox>

namespace corvane {

namespace {

std::function<MsgAnswer(const MessageRequest&)>& Responder() {
  static std::function<MsgAnswer(const MessageRequest&)> responder;
  return responder;
}

std::function<void(const QUrl&)>& Opener() {
  static std::function<void(const QUrl&)> opener;
  return opener;
}

QMessageBox::Icon QtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

MsgAnswer ShowMessage(const MessageRequest& request) {
  if (Responder()) return Responder()(request);
  QString text = request.text;
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  const auto buttons = request.buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
  QMessageBox box(QtIcon(request.icon), request.caption, text, buttons, request.owner);
  QCheckBox* check = nullptr;
  if (!request.checkBoxText.isEmpty() && request.checked) {
    check = new QCheckBox(request.checkBoxText, &box);
    check->setChecked(*request.checked);
    box.setCheckBox(check);
  }
  const int answer = box.exec();
  if (check) *request.checked = check->isChecked();
  if (request.buttons == MsgButtons::Ok) return MsgAnswer::Ok;
  return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

void ShowSimpleMessage(const QString& text, QWidget* owner) {
  ShowMessage({owner, kAppTitle, text, MsgIcon::None, MsgButtons::Ok});
}

void OpenWithShell(const QUrl& url) {
  if (Opener()) {
    Opener()(url);
    return;
  }
  QDesktopServices::openUrl(url);
}

void SetMessageResponder(std::function<MsgAnswer(const MessageRequest&)> responder) {
  Responder() = std::move(responder);
}

void SetShellOpener(std::function<void(const QUrl&)> opener) { Opener() = std::move(opener); }

}  // namespace corvane
