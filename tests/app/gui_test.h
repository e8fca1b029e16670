#pragma once
// What the window tests share: Qt's test helpers and the widgets and events they drive, a
// settings file in a per-test folder and scripted messages.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <chrono>

#include "support/scripted_message_service.h"
#include "support/temp_dir.h"
#include "support/test_common.h"

namespace tinto::test {

class WindowTest : public ::testing::Test {
 protected:
  std::string SettingsPath() const { return m_dir.File("TintoEditor.ini"); }
  void WriteSettings(const std::string& text) { WriteAll(SettingsPath(), text); }
  std::string Settings() const { return ReadAll(SettingsPath()); }

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

}  // namespace tinto::test
