#pragma once
// A MessageService for tests: records every message and answers from a script, so that no
// test ever blocks on a modal box. An empty script answers Ok for Ok boxes and Cancel
// otherwise.

#include <deque>
#include <vector>

#include "app/platform/message_service.h"

namespace tinto::test {

struct ShownMessage {
  MessageKind kind;
  QString text;
  MessageButtons buttons;
};

class ScriptedMessageService : public MessageService {
 public:
  void Answer(MessageAnswer answer) { m_script.push_back(answer); }

  MessageAnswer ShowMessage(MessageKind kind, const QString& text,
                            MessageButtons buttons) override {
    m_shown.push_back({kind, text, buttons});
    if (m_script.empty())
      return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    const MessageAnswer answer = m_script.front();
    m_script.pop_front();
    return answer;
  }

  const std::vector<ShownMessage>& Shown() const { return m_shown; }

 private:
  std::deque<MessageAnswer> m_script;
  std::vector<ShownMessage> m_shown;
};

}  // namespace tinto::test
