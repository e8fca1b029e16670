#pragma once
// Every message the editor shows goes through one MessageService, so that tests can answer
// prompts without a modal window. The kind is the box's title; lines of a text are joined with
// "\n\r" (LF CR), as the program's texts are written.

#include <QString>

class QWidget;

enum class MessageKind { Warning, Error };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual MessageAnswer ShowMessage(MessageKind kind, const QString& text,
                                    MessageButtons buttons) = 0;
};

// "Warning" or "Error".
QString MessageTitle(MessageKind kind);
// The text with each "\n\r" line break turned into one line feed.
QString MessageDisplayText(const QString& text);

// Modal message boxes over `parent` (may be null).
class DialogMessageService : public MessageService {
 public:
  explicit DialogMessageService(QWidget* parent) : m_parent(parent) {}
  MessageAnswer ShowMessage(MessageKind kind, const QString& text, MessageButtons buttons) override;

 private:
  QWidget* m_parent;
};
