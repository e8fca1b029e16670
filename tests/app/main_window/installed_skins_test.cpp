// An installed editor: its folder holds no skins, they lie in the data folder beside it.

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <filesystem>

#include "app/dialogs/file/open_dialog.h"
#include "app/main_form_fixture.h"
#include "app/main_window/skin_commands.h"
#include "core/format/ini_file.h"

namespace tinto::test {
namespace {

TEST_F(MainFormTest, InstalledSkinsAreOfferedFirstAndRememberedThroughTheProgramFolder) {
  const std::string program = m_dir.File("bin") + "/";
  const std::string installed = program + TINTO_SKINS_FROM_PROGRAM;
  std::filesystem::create_directories(installed);
  WriteAll(installed + "/night.qss", "QWidget { color: #010203; }");
  WriteAll(installed + "/night.ini", "[Skin]\nName=night\nStyleSheet=night.qss\n");
  struct Case {
    bool skinsBesideProgram;
    std::string startFolder;
    std::string stored;
  };
  const Case cases[] = {
      {false, QDir::cleanPath(QString::fromStdString(installed)).toStdString(),
       std::string(TINTO_SKINS_FROM_PROGRAM) + "/night.ini"},
      {true, program, ""},  // a skin outside the program's folder is not remembered
  };
  for (const Case& c : cases) {
    if (c.skinsBesideProgram) std::filesystem::create_directories(program + "skins");
    MainFormOptions options = Options();
    options.programDir = program;
    TMainForm form(std::move(options));
    form.SetOpenDialog(
        new TfrmOpen(IniFile(SettingsPath()), m_messages, QString::fromStdString(program), &form));
    QString startFolder;
    form.SkinCommands().SetOpenRunner([&](TfrmOpen& dialog) {
      startFolder = dialog.Directory();
      dialog.SetDirectory(QString::fromStdString(installed));
      dialog.Start();
      dialog.EdFileName()->setText("night.ini");
      QTest::keyClick(dialog.EdFileName(), Qt::Key_Return);
      if (dialog.isVisible()) dialog.reject();
      return dialog.result() == QDialog::Accepted;
    });
    form.Actions().LoadSkin1->trigger();
    EXPECT_EQ(QDir(startFolder), QDir(QString::fromStdString(c.startFolder)));
    ASSERT_TRUE(form.close());
    EXPECT_EQ(IniFile(SettingsPath()).ReadString("Skin", "Name", "?"), c.stored);
  }
  qApp->setStyleSheet({});
}

}  // namespace
}  // namespace tinto::test
