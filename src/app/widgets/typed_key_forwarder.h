#pragma once
// For windows that take every key-down from their controls: the character a key types still
// reaches a focused spin edit or line edit, so that numbers can be typed into them; so do
// Backspace and Enter, which edit and finish the typed number (spin edits take typed values
// only when finished). Keys with Ctrl, Alt or Meta type nothing.
//
// The window's key filter forwards through this object and lets a key pass untouched while
// Forwarding() is true: that is the forwarded copy on its way to the control.

class QKeyEvent;
class QObject;

class TypedKeyForwarder {
 public:
  // Sends a copy of `event` to `receiver` when the key types into it; otherwise does nothing.
  void Forward(QObject* receiver, const QKeyEvent& event);
  bool Forwarding() const { return m_forwarding; }

 private:
  bool m_forwarding = false;
};
