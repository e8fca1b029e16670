#include <QAction>
#include <QLineEdit>
#include <filesystem>

#include "app/dialogs/file/open_dialog.h"
#include "app/main_form_fixture.h"
#include "app/main_window/skin_commands.h"
#include "core/format/ini_file.h"

namespace tinto::test {
namespace {

// An installed editor's folder holds no skins; they lie in the data folder beside it.
TEST_F(MainFormTest, InstalledSkinsAreOfferedFirstAndRememberedThroughTheProgramFolder) {
  const std::string program = m_dir.File("bin") + "/";
  const std::string installed = program + TINTO_SKINS_FROM_PROGRAM;
  std::filesystem::create_directories(installed);
  WriteAll(installed + "/night.ini", "[Skin]\nName=night\n");
  MainFormOptions options = Options();
  options.programDir = program;
  TMainForm form(std::move(options));
  form.SetOpenDialog(
      new TfrmOpen(IniFile(SettingsPath()), m_messages, QString::fromStdString(program), &form));
  QString startFolder;
  form.SkinCommands().SetOpenRunner([&](TfrmOpen& dialog) {
    startFolder = dialog.Directory();
    dialog.Start();
    dialog.EdFileName()->setText("night.ini");
    QTest::keyClick(dialog.EdFileName(), Qt::Key_Return);
    if (dialog.isVisible()) dialog.reject();
    return dialog.result() == QDialog::Accepted;
  });
  form.Actions().LoadSkin1->trigger();
  EXPECT_EQ(startFolder.toStdString(), m_dir.File("share/tinto-editor/skins"));
  ASSERT_TRUE(form.close());
  EXPECT_EQ(IniFile(SettingsPath()).ReadString("Skin", "Name", "?"),
            std::string(TINTO_SKINS_FROM_PROGRAM) + "/night.ini");
}

}  // namespace
}  // namespace tinto::test
