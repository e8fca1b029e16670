#include "app/dialogs/file/save_dialog.h"

#include "app/gui_test.h"
#include "app/widgets/rollup_panel.h"

namespace tinto::test {
namespace {

QString Q(const std::filesystem::path& path) {
  return QDir::cleanPath(QString::fromStdString(path.string()));
}

TRollUpPanel* TreePanel(QFileDialog& dialog) {
  return dialog.findChild<TRollUpPanel*>(QStringLiteral("pnDir"));
}

// The overwrite question is left to the main window, which asks it once.
TEST(SaveDialog, SavesTintoFilesStartingInTheFolderOfTheLastSave) {
  TempDir dir;
  std::filesystem::create_directories(dir.Path() / "sub");
  TSaveDialog save;
  save.SetRunner(TSaveDialog::ScriptedName(Q(dir.Path() / "sub" / "a.tin")));
  ASSERT_FALSE(save.Execute().isEmpty());
  QStringList seen;
  save.SetRunner([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    seen = {dialog.nameFilters().value(0), dialog.directory().absolutePath(),
            TreePanel(dialog)->Caption()};
    return false;
  });
  EXPECT_TRUE(save.Execute().isEmpty());
  EXPECT_EQ(seen,
            QStringList({"Tinto Files (*.tin)", Q(dir.Path() / "sub"), Q(dir.Path() / "sub")}));
}

TEST(SaveDialog, StartsInTheGivenRollStateAndReportsTheUsersChange) {
  for (const bool rolledAtStart : {false, true}) {
    TSaveDialog save;
    save.SetTreeRolledUp(rolledAtStart);
    bool shownRolled = !rolledAtStart;
    save.SetRunner([&](QFileDialog& dialog) {
      TRollUpPanel* panel = TreePanel(dialog);
      if (panel == nullptr) return false;
      dialog.show();
      shownRolled = panel->RolledUp();
      QTest::mouseClick(panel->RollButton(), Qt::LeftButton);
      return false;
    });
    save.Execute();
    EXPECT_EQ(shownRolled, rolledAtStart);
    EXPECT_EQ(save.TreeRolledUp(), !rolledAtStart);
  }
}

}  // namespace
}  // namespace tinto::test
