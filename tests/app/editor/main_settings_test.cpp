#include "app/editor/main_settings.h"

#include <sstream>

#include "app/main_form_fixture.h"

namespace tinto::test {
namespace {

// "Section/Key=value " for every key line, in file order. The window's bounds depend on the
// screen: their keys are listed without a value.
std::string KeyOrder(const std::string& text) {
  std::istringstream in(text);
  std::string line, section, order;
  while (std::getline(in, line)) {
    if (line.starts_with('[')) section = line.substr(1, line.find(']') - 1);
    const std::string key = line.substr(0, line.find('='));
    if (key == line) continue;
    const bool bound =
        section == "Main" && (key == "Left" || key == "Top" || key == "Width" || key == "Height");
    order += section + "/" + (bound ? key : line) + " ";
  }
  return order;
}

class MainSettingsTest : public MainFormTest {
 protected:
  // Starts on `stored`, then closes with the settings file gone: what is read is written anew.
  std::string RoundTrip(const std::string& stored) {
    WriteSettings(stored);
    TMainForm& form = CreateShown();
    std::filesystem::remove(SettingsPath());
    EXPECT_TRUE(form.close());
    return KeyOrder(Settings());
  }
};

// Without a settings file close writes every key in file order with its default.
TEST_F(MainSettingsTest, StoredValuesReachTheirControlsAndAreWrittenBack) {
  EXPECT_EQ(
      RoundTrip(""),
      "Skin/Enabled=1 Skin/Name= Main/Left Main/Top Main/Width Main/Height "
      "Main/Maximized=0 Main/ColorPanel=0 Main/Grid=1 Main/Screen=0 Main/Draw Mode=1 "
      "Main/Magnify=4 Main/VSync=1 Main/Bright=1 Main/Transparent=1 Main/Use Attributes=1 "
      "Main/Timer Interval=5 Main/Tool=2 Main/Pencil Size=1 Main/UndoHistory=0 "
      "Colors/Ink 1=71 Colors/Ink 2=71 Colors/Paper 1=0 Colors/Paper 2=0 Size/DX=32 Size/DY=192 "
      "Size/MLT Left=0 Size/MLT Width=18 Dialogs/Save TreePanelState=0 ");
  std::filesystem::create_directory(m_dir.File("skins"));
  WriteAll(m_dir.File("skins/x.ini"), "");
  const std::string stored =
      "[Skin]\nEnabled=0\nName=skins/x.ini\n"
      "[Main]\nLeft=40\nTop=50\nWidth=700\nHeight=500\nMaximized=0\nColorPanel=1\nGrid=0\n"
      "Screen=1\nDraw Mode=0\nMagnify=6\nVSync=0\nBright=0\nTransparent=0\nUse Attributes=0\n"
      "Timer Interval=20\nTool=0\nPencil Size=7\nUndoHistory=1\n"
      "[Colors]\nInk 1=2\nInk 2=68\nPaper 1=8\nPaper 2=120\n"
      "[Size]\nDX=20\nDY=100\nMLT Left=3\nMLT Width=9\n"
      "[Dialogs]\nSave TreePanelState=1\n";
  EXPECT_EQ(RoundTrip(stored), KeyOrder(stored));
  const TMainForm& form = *m_form;
  EXPECT_TRUE(Panel2(form)->S_2()->isChecked());
  EXPECT_FALSE(form.Actions().Grid1->isChecked());
  EXPECT_TRUE(Panel4(form)->RolledUp());
  EXPECT_TRUE(m_form->SaveDialog().TreeRolledUp());
  EXPECT_TRUE(form.Actions().UndoHistory1->isChecked());
}

// Stored, then the key as the window writes it back; one row per way a value is mended. A
// window reaching past DX is clamped as the next edit would clamp it.
TEST_F(MainSettingsTest, BadValuesAreClampedOrDefaulted) {
  const std::pair<const char*, const char*> cases[] = {
      {"[Main]\nDraw Mode=5", "Main/Draw Mode=2"},
      {"[Main]\nTool=9", "Main/Tool=2"},
      {"[Main]\nMagnify=0", "Main/Magnify=1"},
      {"[Main]\nTimer Interval=-3", "Main/Timer Interval=0"},
      {"[Main]\nGrid=x", "Main/Grid=1"},
      {"[Colors]\nInk 1=255", "Colors/Ink 1=71"},
      {"[Size]\nDX=0", "Size/DX=1"},
      {"[Size]\nDY=999", "Size/DY=192"},
      {"[Size]\nMLT Left=20", "Size/MLT Left=14"},
      {"[Size]\nDX=10\nMLT Left=5", "Size/MLT Left=0 Size/MLT Width=10"}};
  for (const auto& [stored, written] : cases) {
    EXPECT_NE(RoundTrip(stored).find(std::string(written) + " "), std::string::npos) << stored;
    m_form.reset();
  }
}

// Without stored bounds the window is centred, with room for the title bar; maximized, it
// keeps its normal bounds for the next start.
TEST_F(MainSettingsTest, WindowStartsCentredOrAtItsStoredBounds) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect centred = Create().geometry();
  EXPECT_TRUE(screen.contains(centred));
  EXPECT_GT(centred.top(), screen.top());
  EXPECT_LE(std::abs(centred.center().x() - screen.center().x()), 1);
  WriteSettings("[Main]\nLeft=40\nTop=50\nWidth=500\nHeight=300\nMaximized=1\n");
  TMainForm& form = Create();
  EXPECT_EQ(form.geometry(), QRect(40, 50, 500, 300));
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_TRUE(form.isMaximized());
  ASSERT_TRUE(form.close());
  EXPECT_NE(Settings().find("Left=40\nTop=50\nWidth=500\nHeight=300\nMaximized=1\n"),
            std::string::npos);
}

// The window closes without its settings only when the user says so; the first failure stops
// the pass, so no later section is written.
TEST_F(MainSettingsTest, UnwritableSettingsAskBeforeClosingWithoutThem) {
  WriteAll(m_dir.File("not-a-folder"), "x");
  const std::string path = m_dir.File("not-a-folder") + "/TintoEditor.ini";
  TMainForm& form = Create(path);
  int laterSections = 0;
  form.AddSettingsWriter([&laterSections](IniFile&) { return ++laterSections, Status::Ok(); });
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  m_messages.Answer(MessageAnswer::Ok);
  m_messages.Answer(MessageAnswer::No);
  EXPECT_FALSE(form.close());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(laterSections, 0);
  ASSERT_EQ(m_messages.Shown().size(), 2u);
  EXPECT_EQ(m_messages.Shown()[0].kind, MessageKind::Error);
  EXPECT_EQ(m_messages.Shown()[0].text.toStdString(), "Unable to write to " + path);
  EXPECT_EQ(m_messages.Shown()[1].text, "Close without saving the settings?");
  EXPECT_EQ(m_messages.Shown()[1].buttons, MessageButtons::YesNo);
  m_messages.Answer(MessageAnswer::Ok);
  m_messages.Answer(MessageAnswer::Yes);
  EXPECT_TRUE(form.close());
}

}  // namespace
}  // namespace tinto::test
