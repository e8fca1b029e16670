#include "app/platform/message_service.h"

#include <QMessageBox>

QString MessageTitle(MessageKind kind) {
  return kind == MessageKind::Warning ? QStringLiteral("Warning") : QStringLiteral("Error");
}

QString MessageDisplayText(const QString& text) {
  QString result = text;
  // A lone CR would show as a glyph or an extra break depending on the platform.
  result.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  return result;
}

namespace {

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

MessageAnswer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    case QMessageBox::Cancel:
      return MessageAnswer::Cancel;
    default:
      return MessageAnswer::Ok;
  }
}

}  // namespace

MessageAnswer DialogMessageService::ShowMessage(MessageKind kind, const QString& text,
                                                MessageButtons buttons) {
  QMessageBox box(kind == MessageKind::Warning ? QMessageBox::Warning : QMessageBox::Critical,
                  MessageTitle(kind), MessageDisplayText(text), ButtonsOf(buttons), m_parent);
  // Messages carry file names and texts from files: shown as they are, never as HTML.
  box.setTextFormat(Qt::PlainText);
  // Closing the box without a button counts as the safest answer the box offers.
  if (buttons == MessageButtons::YesNoCancel) box.setEscapeButton(QMessageBox::Cancel);
  if (buttons == MessageButtons::YesNo) box.setEscapeButton(QMessageBox::No);
  return AnswerOf(box.exec());
}
