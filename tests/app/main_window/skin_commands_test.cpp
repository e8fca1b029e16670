#include "app/main_window/skin_commands.h"

#include "app/main_form_fixture.h"
#include "app/skin/skin_data.h"

namespace tinto::test {
namespace {

using S = SkinStep;

class SkinCommandsTest : public MainFormTest {
 protected:
  void TearDown() override { qApp->setStyleSheet({}); }

  TMainForm& CreateWithDialog(const std::string& programDir = {}) {
    MainFormOptions options = Options();
    if (!programDir.empty()) options.programDir = programDir;
    m_form = std::make_unique<TMainForm>(std::move(options));
    m_dialog = InstallOpenDialog();
    m_form->SkinCommands().SetStepObserver([this](SkinStep step) { m_steps.push_back(step); });
    return *m_form;
  }
  // The dialog as a picture run left it: its file types and a typed name.
  void LeaveDialogWith(const QString& filter, const QString& typed) {
    OpenRequest request;
    request.filter = filter;
    m_dialog->Start(request);
    m_dialog->EdFileName()->setText(typed);
    m_dialog->reject();
  }
  void WriteSkin(const std::string& name) {
    WriteAll(m_dir.File(name + ".qss"), "QWidget { color: #010203; }");
    WriteAll(m_dir.File(name + ".ini"), "[Skin]\nName=" + name + "\nStyleSheet=" + name + ".qss\n");
  }

  TfrmOpen* m_dialog = nullptr;
  std::vector<SkinStep> m_steps;
};

TEST_F(SkinCommandsTest, UntickingSwitchesOffThenTickingReloadsTheFile) {
  WriteSkin("night");
  TMainForm& form = CreateWithDialog();
  form.SetSkinFileName(m_dir.File("night.ini"));
  form.Actions().SkinEnabled->setChecked(true);
  form.Actions().SkinEnabled->trigger();
  EXPECT_FALSE(form.Actions().SkinEnabled->isChecked());
  EXPECT_EQ(m_steps, (std::vector<SkinStep>{S::MainHidden, S::WaitShown, S::SkinChangedRelayout,
                                            S::SkinSwitchedOff, S::WaitHidden, S::MainShown,
                                            S::ToolbarsLaidOut}));
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(qApp->styleSheet().isEmpty());
  m_steps.clear();
  form.Actions().SkinEnabled->trigger();
  EXPECT_EQ(m_steps, (std::vector<SkinStep>{S::MainHidden, S::WaitShown, S::SkinChangedRelayout,
                                            S::SkinLoaded, S::WaitHidden, S::MainShown,
                                            S::ToolbarsLaidOut}));
  EXPECT_EQ(form.Skin().Info().name, "night");
}

// A cancelled run changes nothing; either way the dialog is put back as a picture run left it.
TEST_F(SkinCommandsTest, LoadSkinRunsInOrderAndPutsTheDialogBack) {
  WriteSkin("night");
  TMainForm& form = CreateWithDialog();
  form.SetSkinFileName("before.ini");
  form.Actions().SkinEnabled->setChecked(false);
  LeaveDialogWith("Pictures|*.tin", "typed.tin");
  m_dialog->SetRunner([](TfrmOpen& dialog) {
    dialog.EdFileName()->setText("other.ini");
    return false;
  });
  form.Actions().LoadSkin1->trigger();
  EXPECT_TRUE(m_steps.empty());
  EXPECT_EQ(form.SkinFileName(), "before.ini");
  EXPECT_EQ(m_dialog->EdFileName()->text(), "typed.tin");
  QString seen;
  m_dialog->SetRunner([&](TfrmOpen& dialog) {
    seen = dialog.Title() + "|" + dialog.Filter();
    dialog.SetDirectory(Q(m_dir.Path().string()));
    return TypeNameAndEnter(dialog, "night.ini");
  });
  form.Actions().LoadSkin1->trigger();
  EXPECT_EQ(seen, "Open Skin File...|Skin Files (*.ini,*.ods)|*.ini;*.ods");
  EXPECT_EQ(m_steps, (std::vector<SkinStep>{S::MainHidden, S::WaitShown, S::SkinChangedRelayout,
                                            S::SkinLoaded, S::ToolbarsLaidOut, S::ColorPanelLaidOut,
                                            S::WaitHidden, S::MainShown}));
  EXPECT_EQ(form.SkinFileName(), m_dir.File("night.ini"));
  EXPECT_TRUE(form.Actions().SkinEnabled->isChecked());
  EXPECT_EQ(m_dialog->Filter(), "Pictures|*.tin");
  EXPECT_EQ(m_dialog->EdFileName()->text(), "typed.tin");
}

// The saved name is relative to the program; a missing skin keeps the tick and the plain look.
// Close stores the name relative to the program, or nothing for a skin outside it or gone.
TEST_F(SkinCommandsTest, TheSkinNameIsReadAndWrittenRelativeToTheProgram) {
  // The name stored at start, whether it loads; whether the skin set then lies in the program's
  // folder and still exists; the name stored at close.
  const std::tuple<const char*, bool, bool, bool, const char*> cases[] = {
      {"night", true, true, true, "night.ini"},
      {"gone", false, true, false, ""},
      {"night", true, false, true, ""}};
  TempDir outside;
  for (const auto& [name, loads, inside, exists, stored] : cases) {
    SCOPED_TRACE(testing::Message() << name << inside << exists);
    WriteSkin("night");
    WriteAll(outside.File("night.ini"), "[Skin]\n");
    WriteSettings(std::string("[Skin]\nEnabled=1\nName=") + name + ".ini\n");
    TMainForm& form = Create();
    EXPECT_TRUE(form.Actions().SkinEnabled->isChecked());
    EXPECT_EQ(form.Skin().Active(), loads);
    EXPECT_EQ(qApp->styleSheet().isEmpty(), !loads);
    const std::string file = inside ? m_dir.File("night.ini") : outside.File("night.ini");
    form.SetSkinFileName(file);
    if (!exists) std::filesystem::remove(file);
    ASSERT_TRUE(form.close());
    EXPECT_EQ(IniFile(SettingsPath()).ReadString("Skin", "Name", "?"), stored);
    qApp->setStyleSheet({});
  }
}

// An installed editor's folder holds no skins; they lie in the data folder beside it.
TEST_F(SkinCommandsTest, InstalledSkinsAreOfferedFirstAndRememberedThroughTheProgramFolder) {
  const std::string program = m_dir.File("bin") + "/";
  const std::string installed = program + TINTO_SKINS_FROM_PROGRAM;
  std::filesystem::create_directories(installed);
  WriteAll(installed + "/night.ini", "[Skin]\nName=night\n");
  TMainForm& form = CreateWithDialog(program);
  QString startFolder;
  m_dialog->SetRunner([&](TfrmOpen& dialog) {
    startFolder = dialog.Directory();
    return TypeNameAndEnter(dialog, "night.ini");
  });
  form.Actions().LoadSkin1->trigger();
  EXPECT_EQ(startFolder.toStdString(), m_dir.File("share/tinto-editor/skins"));
  ASSERT_TRUE(form.close());
  EXPECT_EQ(IniFile(SettingsPath()).ReadString("Skin", "Name", "?"),
            std::string(TINTO_SKINS_FROM_PROGRAM) + "/night.ini");
}

}  // namespace
}  // namespace tinto::test
