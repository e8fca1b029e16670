#pragma once
// "&Undo" and "&Redo" of the Edit menu and "Undo &History" of the Options menu. Undo and Redo
// act on the session and are enabled exactly when they can act; with the history on they are
// named after the step they act on ("&Undo Stroke"). Ticking "Undo &History" switches the
// session to the step history, unticking it back to the single snapshot.

#include <QObject>

class QAction;
class TEditorSession;

struct UndoActions {
  QAction* undo;
  QAction* redo;
  QAction* history;
};

class TUndoCommands : public QObject {
  Q_OBJECT

 public:
  // Connects the actions and follows the session; everything given must outlive the commands.
  TUndoCommands(TEditorSession& session, UndoActions actions, QObject* parent);

  void Undo1Click();
  void Redo1Click();

 signals:
  // The session put back another picture; `geometryChanged` when its geometry or mode differ
  // from the one shown until now.
  void PictureRestored(bool geometryChanged);

 private:
  void Act(bool (TEditorSession::*act)());
  void UpdateActions();

  TEditorSession& m_session;
  UndoActions m_actions;
};
