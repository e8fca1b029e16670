#pragma once
// What the window tests share: Qt's test helpers and the widgets and events they drive, a
// settings file in a per-test folder and scripted messages.

#include <QtTest>
#include <QtWidgets>
#include <chrono>

#include "support/scripted_message_service.h"
#include "support/temp_dir.h"
#include "support/test_common.h"

namespace tinto::test {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }

// Shown, exposed and active, as shortcuts and activation-driven rendering need.
inline void ShowActive(QWidget& window) {
  window.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

class WindowTest : public ::testing::Test {
 protected:
  std::string SettingsPath() const { return m_dir.File("TintoEditor.ini"); }
  void WriteSettings(const std::string& text) { WriteAll(SettingsPath(), text); }
  std::string Settings() const { return ReadAll(SettingsPath()); }
  // A file in the per-test folder, as the windows take paths.
  QString QPath(const std::string& name) const { return Q(m_dir.File(name)); }

  TempDir m_dir;
  ScriptedMessageService m_messages;
};

// The child of `parent` named `name`; a failure when there is none.
template <typename T = QWidget>
T* ChildNamed(const QObject& parent, const char* name) {
  T* child = parent.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

// A user's run of a file dialog: `name` typed and Enter pressed; whether the dialog accepted it.
template <typename Dialog>
bool TypeNameAndEnter(Dialog& dialog, const QString& name) {
  dialog.Start();
  dialog.EdFileName()->setText(name);
  QTest::keyClick(dialog.EdFileName(), Qt::Key_Return);
  if (dialog.isVisible()) dialog.reject();
  return dialog.result() == QDialog::Accepted;
}

// Files dragged into `target`, then dropped there when `drop`; whether the target took them.
inline bool DragFiles(QWidget& target, const QList<QUrl>& urls, bool drop) {
  QMimeData data;
  data.setUrls(urls);
  const QPoint at = target.rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &enter);
  if (drop) QApplication::sendEvent(&target, &dropped);
  QApplication::processEvents();
  return enter.isAccepted() && (!drop || dropped.isAccepted());
}

// A mouse event sent straight to `target`, without Qt's grabs and double-click synthesis.
inline void SendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = {}) {
  QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, held, modifiers);
  QApplication::sendEvent(target, &event);
}

}  // namespace tinto::test
