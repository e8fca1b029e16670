#include "app/editor/undo_commands.h"

#include <QAction>
#include <optional>

#include "app/editor/editor_session.h"

namespace {

// The command alone, or followed by what it will act on ("&Undo Stroke").
QString Caption(const char* command, std::optional<tinto::ChangeKind> next) {
  QString caption = QString::fromLatin1(command);
  if (next) caption += QLatin1Char(' ') + QString::fromLatin1(tinto::ChangeName(*next));
  return caption;
}

}  // namespace

TUndoCommands::TUndoCommands(TEditorSession& session, UndoActions actions, QObject* parent)
    : QObject(parent), m_session(session), m_actions(actions) {
  connect(actions.undo, &QAction::triggered, this, &TUndoCommands::Undo1Click);
  connect(actions.redo, &QAction::triggered, this, &TUndoCommands::Redo1Click);
  connect(actions.history, &QAction::toggled, &session, &TEditorSession::SetUndoHistory);
  connect(&session, &TEditorSession::DocumentStateChanged, this, &TUndoCommands::UpdateActions);
  UpdateActions();
}

void TUndoCommands::Undo1Click() { Act(&TEditorSession::Undo); }

void TUndoCommands::Redo1Click() { Act(&TEditorSession::Redo); }

void TUndoCommands::Act(bool (TEditorSession::*act)()) {
  const tinto::ScreenGeometry shown = m_session.Geometry();
  if ((m_session.*act)()) emit PictureRestored(m_session.Geometry() != shown);
}

void TUndoCommands::UpdateActions() {
  const tinto::UndoKeeper& undoing = m_session.Undoing();
  m_actions.undo->setEnabled(undoing.CanUndo());
  m_actions.undo->setText(Caption("&Undo", undoing.NextUndo()));
  m_actions.redo->setEnabled(undoing.CanRedo());
  m_actions.redo->setText(Caption("&Redo", undoing.NextRedo()));
}
