#include "app/widgets/typed_key_forwarder.h"

#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

bool TypesInto(const QObject* receiver, const QKeyEvent& event) {
  if (!qobject_cast<const QAbstractSpinBox*>(receiver) && !qobject_cast<const QLineEdit*>(receiver))
    return false;
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = event.text();
  const bool editingKey = event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Return ||
                          event.key() == Qt::Key_Enter;
  return !text.isEmpty() && (text.front().isPrint() || editingKey);
}

}  // namespace

void TypedKeyForwarder::Forward(QObject* receiver, const QKeyEvent& event) {
  if (m_forwarding || !TypesInto(receiver, event)) return;
  QKeyEvent copy(event.type(), event.key(), event.modifiers(), event.text(), event.isAutoRepeat(),
                 event.count());
  m_forwarding = true;
  QCoreApplication::sendEvent(receiver, &copy);
  m_forwarding = false;
}
