#pragma once
// "&Export...": writes the current picture as a PNG of the static mix or of one screen at a
// whole scale, as a two-file picture that opens back with the same Total Width and DY, or as a
// screen file other tools read, when that file holds the picture exactly; a picture it cannot
// hold is refused before anything is asked or written, with the files that can hold it.
// Every file goes through the safe writer; an existing file is replaced only after a Yes.

#include <QObject>
#include <string>
#include <vector>

#include "app/editor/file_dialogs.h"
#include "core/status.h"

class DocumentWindow;
class MessageService;
class TEditorSession;

class TExportFlow : public QObject {
  Q_OBJECT

 public:
  // `session`, `window`, `messages` and `dialog` must outlive the flow.
  TExportFlow(TEditorSession& session, DocumentWindow& window, MessageService& messages,
              ExportFileDialog& dialog, QObject* parent);

  // The dialog, the check that a screen file holds the picture, the overwrite prompt, then the
  // write; a refusal or a failed write shows its text.
  void Export1Click();

  // The files `choice` writes: the path with ".png" (or the screen file's extension) added when
  // its own name has no dot; for a two-file picture the path without ".od0", ".od1" or ".od",
  // followed by ".od0" and ".od1".
  static std::vector<std::string> TargetFiles(const ExportChoice& choice);

 private:
  void Export(const ExportChoice& choice);
  tinto::Status CheckHeld(const ExportChoice& choice) const;
  bool ConfirmOverwrite(const std::vector<std::string>& targets);
  tinto::Status Write(const ExportChoice& choice, const std::vector<std::string>& targets);

  TEditorSession& m_session;
  DocumentWindow& m_window;
  MessageService& m_messages;
  ExportFileDialog& m_dialog;
};
