#include "app/editor/main_settings.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <map>
#include <sstream>
#include <vector>

#include "app/color/color_panel.h"
#include "app/main_window/colors_preview_panel.h"
#include "app/main_window/geometry_bar.h"
#include "app/main_window/mode_bar.h"
#include "app/main_window/tool_palette.h"
#include "app/main_form_fixture.h"

namespace tinto::test {
namespace {

// "Section/Key" of every key line, in file order, and the values by that name.
struct IniLines {
  std::vector<std::string> order;
  std::map<std::string, std::string> values;
};

IniLines ParseIni(const std::string& text) {
  IniLines lines;
  std::istringstream in(text);
  std::string line;
  std::string section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 1 && line.front() == '[') {
      section = line.substr(1, line.size() - 2);
    } else if (auto eq = line.find('='); eq != std::string::npos) {
      const std::string name = section + "/" + line.substr(0, eq);
      lines.order.push_back(name);
      lines.values[name] = line.substr(eq + 1);
    }
  }
  return lines;
}

// What the window shows, as the settings name it.
struct Observed {
  int dx, dy, mltLeft, mltWidth, magnify, drawMode, tool, pencil, interval;
  int ink1, ink2, paper1, paper2;
  bool screen2, grid, transparent, attributes, bright, skinEnabled, rolledUp;
};

Observed Observe(TMainForm& form) {
  const TColorPanel* panel = form.ColorPanel();
  return {form.SizePanel()->DX()->value(),
          form.SizePanel()->DY()->value(),
          form.SizePanel()->MLTLeft()->value(),
          form.SizePanel()->MLTWidth()->value(),
          form.Panel2()->TMagnify()->value(),
          form.View().DrawMode(),
          form.PnTools()->CurrentTool(),
          form.PnTools()->pSize()->value(),
          form.Timer().Interval(),
          panel->Ink1(),
          panel->Ink2(),
          panel->Paper1(),
          panel->Paper2(),
          form.Panel2()->S_2()->isChecked(),
          form.Panel2()->Grid()->isChecked(),
          panel->TransAttrChecked(),
          panel->AttributesChecked(),
          panel->BrightChecked(),
          form.Actions().SkinEnabled->isChecked(),
          form.Panel4()->RolledUp()};
}

using MainSettingsTest = MainFormTest;

TEST_F(MainSettingsTest, FirstRunWithoutFileUsesEveryDefault) {
  TMainForm& form = Create();
  const Observed o = Observe(form);
  EXPECT_EQ(o.drawMode, 1);
  EXPECT_EQ(o.dx, 32);
  EXPECT_EQ(o.dy, 192);
  EXPECT_EQ(o.mltLeft, 0);
  EXPECT_EQ(o.mltWidth, 18);
  EXPECT_EQ(o.magnify, 4);
  EXPECT_EQ(o.tool, kToolPencil);
  EXPECT_EQ(o.pencil, 1);
  EXPECT_EQ(o.interval, 5);
  EXPECT_EQ(o.ink1, 71);
  EXPECT_EQ(o.ink2, 71);
  EXPECT_EQ(o.paper1, 0);
  EXPECT_EQ(o.paper2, 0);
  EXPECT_FALSE(o.screen2);
  EXPECT_TRUE(o.grid);
  EXPECT_TRUE(o.transparent);
  EXPECT_TRUE(o.attributes);
  EXPECT_TRUE(o.bright);
  EXPECT_TRUE(o.skinEnabled);
  EXPECT_FALSE(o.rolledUp);
  EXPECT_TRUE(form.ColorPanel()->NoFlicChecked());
  EXPECT_TRUE(form.Actions().Grid1->isChecked());
  EXPECT_TRUE(form.SkinFileName().empty());
}

TEST_F(MainSettingsTest, StoredValuesReachTheirControls) {
  WriteSettings(
      "[Skin]\nEnabled=0\nName=skins/x.ini\n"
      "[Main]\nColorPanel=1\nGrid=0\nScreen=1\nDraw Mode=0\nMagnify=6\nBright=0\n"
      "Transparent=0\nUse Attributes=0\nTimer Interval=20\nPencil Size=7\nTool=0\n"
      "[Colors]\nInk 1=2\nInk 2=0x44\nPaper 1=8\nPaper 2=120\n"
      "[Size]\nDX=20\nDY=100\nMLT Left=3\nMLT Width=9\n"
      "[Dialogs]\nSave TreePanelState=1\n");
  TMainForm& form = Create();
  const Observed o = Observe(form);
  EXPECT_FALSE(o.skinEnabled);
  EXPECT_EQ(form.SkinFileName(), "skins/x.ini");
  EXPECT_TRUE(o.rolledUp);
  EXPECT_FALSE(o.grid);
  EXPECT_FALSE(form.Actions().Grid1->isChecked());
  EXPECT_TRUE(o.screen2);
  EXPECT_EQ(o.drawMode, 0);
  EXPECT_EQ(o.magnify, 6);
  EXPECT_FALSE(o.bright);
  EXPECT_FALSE(o.transparent);
  EXPECT_FALSE(o.attributes);
  EXPECT_EQ(o.interval, 20);
  EXPECT_EQ(o.pencil, 7);
  EXPECT_EQ(o.tool, kToolMarque);
  EXPECT_EQ(o.ink1, 2);
  EXPECT_EQ(o.ink2, 0x44);
  EXPECT_EQ(o.paper1, 8);
  EXPECT_EQ(o.paper2, 120);
  EXPECT_EQ(o.dx, 20);
  EXPECT_EQ(o.dy, 100);
  EXPECT_EQ(o.mltLeft, 3);
  EXPECT_EQ(o.mltWidth, 9);
  EXPECT_TRUE(form.Flows()->SaveDialog().TreeRolledUp());
}

struct BadValueCase {
  const char* line;  // "[Section]\nKey=Value"
  int (*observe)(const Observed&);
  int expected;
};

void PrintTo(const BadValueCase& c, std::ostream* os) { *os << c.line; }

class MainSettingsBadValueTest : public MainSettingsTest,
                                 public ::testing::WithParamInterface<BadValueCase> {};

TEST_P(MainSettingsBadValueTest, ValueIsClampedOrDefaulted) {
  WriteSettings(std::string(GetParam().line) + "\n");
  TMainForm& form = Create();
  EXPECT_EQ(GetParam().observe(Observe(form)), GetParam().expected) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    MainSettings, MainSettingsBadValueTest,
    ::testing::Values(
        BadValueCase{"[Main]\nScreen=7", [](const Observed& o) { return int(o.screen2); }, 1},
        BadValueCase{"[Main]\nDraw Mode=5", [](const Observed& o) { return o.drawMode; }, 2},
        BadValueCase{"[Main]\nDraw Mode=-1", [](const Observed& o) { return o.drawMode; }, 2},
        BadValueCase{"[Main]\nTool=9", [](const Observed& o) { return o.tool; }, 2},
        BadValueCase{"[Main]\nTool=1", [](const Observed& o) { return o.tool; }, 1},
        BadValueCase{"[Main]\nMagnify=0x10", [](const Observed& o) { return o.magnify; }, 10},
        BadValueCase{"[Main]\nMagnify=abc", [](const Observed& o) { return o.magnify; }, 4},
        BadValueCase{"[Main]\nMagnify=0", [](const Observed& o) { return o.magnify; }, 1},
        BadValueCase{"[Main]\nPencil Size=500", [](const Observed& o) { return o.pencil; }, 50},
        BadValueCase{"[Main]\nTimer Interval=-3", [](const Observed& o) { return o.interval; }, 0},
        BadValueCase{"[Main]\nTimer Interval=99999", [](const Observed& o) { return o.interval; },
                     65535},
        BadValueCase{"[Main]\nGrid=x", [](const Observed& o) { return int(o.grid); }, 1},
        BadValueCase{"[Main]\nColorPanel=2", [](const Observed& o) { return int(o.rolledUp); }, 1},
        BadValueCase{"[Colors]\nInk 1=255", [](const Observed& o) { return o.ink1; }, 0x47},
        BadValueCase{"[Colors]\nPaper 2=-1", [](const Observed& o) { return o.paper2; }, 0x78},
        BadValueCase{"[Colors]\nPaper 1=", [](const Observed& o) { return o.paper1; }, 0},
        BadValueCase{"[Size]\nDX=010", [](const Observed& o) { return o.dx; }, 10},
        BadValueCase{"[Size]\nDX=0", [](const Observed& o) { return o.dx; }, 1},
        BadValueCase{"[Size]\nDY=999", [](const Observed& o) { return o.dy; }, 192},
        BadValueCase{"[Size]\nMLT Width=24", [](const Observed& o) { return o.mltWidth; }, 18},
        BadValueCase{"[Size]\nMLT Left=-4", [](const Observed& o) { return o.mltLeft; }, 0},
        // An MLT window reaching past DX is shown as the next edit would clamp it.
        BadValueCase{"[Size]\nMLT Left=20", [](const Observed& o) { return o.mltLeft; }, 14},
        BadValueCase{"[Size]\nDX=10\nMLT Left=5", [](const Observed& o) { return o.mltLeft; }, 0},
        BadValueCase{"[Size]\nDX=10\nMLT Left=5", [](const Observed& o) { return o.mltWidth; }, 10},
        BadValueCase{"[size]\ndx=12", [](const Observed& o) { return o.dx; }, 12},
        BadValueCase{"garbage \xff[Size\nDX=12", [](const Observed& o) { return o.dx; }, 32}));

TEST_F(MainSettingsTest, WindowStartsOnTheScreen) {
  struct Case {
    const char* settings;
    QRect expected;  // empty: centred, below the top edge
  };
  const Case cases[] = {
      {"", QRect()},
      {"[Main]\nLeft=-5000\nTop=-5000\nWidth=500\nHeight=300", QRect()},
      {"[Main]\nLeft=30000\nTop=10\nWidth=500\nHeight=300", QRect()},
      {"[Main]\nLeft=40\nTop=50\nWidth=500\nHeight=300", QRect(40, 50, 500, 300)},
  };
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  for (const Case& c : cases) {
    WriteSettings(c.settings);
    TMainForm& form = Create();
    const QRect bounds = form.geometry();
    if (c.expected.isEmpty()) {
      EXPECT_TRUE(screen.contains(bounds)) << c.settings;
      EXPECT_GT(bounds.top(), screen.top()) << c.settings << ": room for the title bar";
      EXPECT_LE(std::abs(bounds.center().x() - screen.center().x()), 1) << c.settings;
    } else {
      EXPECT_EQ(bounds, c.expected) << c.settings;
    }
    m_form.reset();
  }
}

TEST_F(MainSettingsTest, CloseWritesEveryKeyInFileOrder) {
  TMainForm& form = CreateShown();
  ASSERT_TRUE(form.close());
  const IniLines lines = ParseIni(Settings());
  const std::vector<std::string> expected = {"Skin/Enabled",
                                             "Skin/Name",
                                             "Main/Left",
                                             "Main/Top",
                                             "Main/Width",
                                             "Main/Height",
                                             "Main/Maximized",
                                             "Main/ColorPanel",
                                             "Main/Grid",
                                             "Main/Screen",
                                             "Main/Draw Mode",
                                             "Main/Magnify",
                                             "Main/Bright",
                                             "Main/Transparent",
                                             "Main/Use Attributes",
                                             "Main/Timer Interval",
                                             "Main/Tool",
                                             "Main/Pencil Size",
                                             "Colors/Ink 1",
                                             "Colors/Ink 2",
                                             "Colors/Paper 1",
                                             "Colors/Paper 2",
                                             "Size/DX",
                                             "Size/DY",
                                             "Size/MLT Left",
                                             "Size/MLT Width",
                                             "Dialogs/Save TreePanelState"};
  EXPECT_EQ(lines.order, expected);
  const std::map<std::string, std::string> values = {{"Skin/Enabled", "1"},
                                                     {"Skin/Name", ""},
                                                     {"Main/Maximized", "0"},
                                                     {"Main/ColorPanel", "0"},
                                                     {"Main/Grid", "1"},
                                                     {"Main/Screen", "0"},
                                                     {"Main/Draw Mode", "1"},
                                                     {"Main/Magnify", "4"},
                                                     {"Main/Bright", "1"},
                                                     {"Main/Transparent", "1"},
                                                     {"Main/Use Attributes", "1"},
                                                     {"Main/Timer Interval", "5"},
                                                     {"Main/Tool", "2"},
                                                     {"Main/Pencil Size", "1"},
                                                     {"Colors/Ink 1", "71"},
                                                     {"Colors/Ink 2", "71"},
                                                     {"Colors/Paper 1", "0"},
                                                     {"Colors/Paper 2", "0"},
                                                     {"Size/DX", "32"},
                                                     {"Size/DY", "192"},
                                                     {"Size/MLT Left", "0"},
                                                     {"Size/MLT Width", "18"},
                                                     {"Dialogs/Save TreePanelState", "0"}};
  for (const auto& [name, value] : values) EXPECT_EQ(lines.values.at(name), value) << name;
  EXPECT_EQ(lines.values.count("Main/Static"), 0u);
}

TEST_F(MainSettingsTest, ChangedControlsAreWrittenBack) {
  TMainForm& form = CreateShown();
  form.Panel2()->S_2()->setChecked(true);
  form.Panel2()->M_cls()->click();
  form.Panel2()->TMagnify()->setValue(9);
  form.SizePanel()->DX()->setValue(12);
  form.PnTools()->SelectTool(kToolPick);
  form.Panel4()->SetRolledUp(true);
  ASSERT_TRUE(form.close());
  const IniLines lines = ParseIni(Settings());
  EXPECT_EQ(lines.values.at("Main/Screen"), "1");
  EXPECT_EQ(lines.values.at("Main/Draw Mode"), "2");
  EXPECT_EQ(lines.values.at("Main/Magnify"), "9");
  EXPECT_EQ(lines.values.at("Main/Tool"), "3");
  EXPECT_EQ(lines.values.at("Main/ColorPanel"), "1");
  EXPECT_EQ(lines.values.at("Size/DX"), "12");
  EXPECT_EQ(lines.values.at("Size/MLT Width"), "12");
}

TEST_F(MainSettingsTest, ClosingMaximizedKeepsTheStoredNormalBounds) {
  WriteSettings("[Main]\nLeft=11\nTop=22\nWidth=700\nHeight=500\n");
  TMainForm& form = Create();
  form.showMaximized();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  ASSERT_TRUE(form.close());
  const IniLines lines = ParseIni(Settings());
  EXPECT_EQ(lines.values.at("Main/Maximized"), "1");
  EXPECT_EQ(lines.values.at("Main/Left"), "11");
  EXPECT_EQ(lines.values.at("Main/Width"), "700");
  EXPECT_EQ(lines.values.at("Main/Height"), "500");
}

TEST_F(MainSettingsTest, MaximizedSettingOpensTheWindowMaximized) {
  WriteSettings("[Main]\nMaximized=1\n");
  TMainForm& form = Create();
  form.show();
  EXPECT_TRUE(form.isMaximized());
}

TEST_F(MainSettingsTest, CancelledCloseKeepsWindowAndWritesNothing) {
  TMainForm& form = CreateShown();
  form.Session().Document().SetModified(true);
  m_messages.Answer(MessageAnswer::Cancel);
  EXPECT_FALSE(form.close());
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(Settings().empty());
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].kind, MessageKind::Warning);
  EXPECT_EQ(m_messages.Shown()[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(m_messages.Shown()[0].text.toStdString(),
            "File " + form.Session().Document().FileName() + " not saved.\n\rSave Changes?");
}

TEST_F(MainSettingsTest, DeclinedSaveStillClosesAndWritesSettings) {
  TMainForm& form = CreateShown();
  form.Session().Document().SetModified(true);
  m_messages.Answer(MessageAnswer::No);
  EXPECT_TRUE(form.close());
  EXPECT_FALSE(Settings().empty());
}

TEST_F(MainSettingsTest, UnwritableSettingsFolderKeepsWindowOpen) {
  WriteAll(m_dir.File("not-a-folder"), "x");
  const std::string path = m_dir.File("not-a-folder") + "/TintoEditor.ini";
  TMainForm& form = Create(path);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_FALSE(form.close());
  EXPECT_TRUE(form.isVisible());
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].kind, MessageKind::Error);
  EXPECT_EQ(m_messages.Shown()[0].text.toStdString(), "Unable to write to " + path);
}

TEST_F(MainSettingsTest, WriteFailureMidwayKeepsKeysWrittenBeforeIt) {
  // A settings path that is a folder can be neither read nor replaced.
  std::filesystem::create_directory(m_dir.File("folder.ini"));
  TMainForm& form = Create(m_dir.File("folder.ini"));
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_FALSE(form.close());
  EXPECT_EQ(m_messages.Shown().size(), 1u);
}

TEST(StoredSkinName, IsRelativeToProgramDirAndOnlyForExistingFiles) {
  TempDir dir;
  const std::string programDir = dir.Path().string() + "/";
  std::filesystem::create_directory(dir.File("skins"));
  WriteAll(dir.File("skins/blue.ini"), "");
  TempDir elsewhere;
  WriteAll(elsewhere.File("red.ods"), "");
  EXPECT_EQ(StoredSkinName(programDir + "skins/blue.ini", programDir), "skins/blue.ini");
  EXPECT_EQ(StoredSkinName("skins/blue.ini", programDir), "skins/blue.ini");
  EXPECT_EQ(StoredSkinName(elsewhere.File("red.ods"), programDir), "");
  EXPECT_EQ(StoredSkinName(programDir + "skins/gone.ini", programDir), "");
  EXPECT_EQ(StoredSkinName(programDir + "skins", programDir), "");
  EXPECT_EQ(StoredSkinName("", programDir), "");
}

}  // namespace
}  // namespace tinto::test
