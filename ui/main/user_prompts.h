#pragma once
// Message boxes and opening documents go through here, so that tests can
// answer the boxes and see what would have been opened.
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace corvane {

enum class MsgIcon { None, Information, Warning, Error };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

struct MessageRequest {
  MessageRequest(QWidget* owner, QString caption, QString text, MsgIcon icon, MsgButtons buttons,
                 QString checkBoxText = {}, bool* checked = nullptr)
      : owner(owner), caption(std::move(caption)), text(std::move(text)), icon(icon), buttons(buttons),
        checkBoxText(std::move(checkBoxText)), checked(checked) {}

  QWidget* owner = nullptr;
  QString caption;
  QString text;  // lines separated by '\r'
  MsgIcon icon = MsgIcon::None;
  MsgButtons buttons = MsgButtons::Ok;
  // A check box under the text ("Don't show me again"): shown when the text
  // is not empty; its state is read from and written back to *checked.
  QString checkBoxText;
  bool* checked = nullptr;
};

inline const QString kAppTitle = QStringLiteral("Corvane Metronome");

MsgAnswer ShowMessage(const MessageRequest& request);
// A plain message with the application's title and an OK button.
void ShowSimpleMessage(const QString& text, QWidget* owner = nullptr);

// Asks the desktop to open a file or a web address; failures are ignored.
void OpenWithShell(const QUrl& url);

// Tests: answer message boxes and catch shell requests instead of showing
// them. An empty function restores the real behaviour.
void SetMessageResponder(std::function<MsgAnswer(const MessageRequest&)> responder);
void SetShellOpener(std::function<void(const QUrl&)> opener);

}  // namespace corvane
