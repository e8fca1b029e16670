#include "app/editor/undo_commands.h"

#include <functional>

#include "app/canvas/canvas_controller.h"
#include "app/canvas/clipboard_commands.h"
#include "app/canvas_fixture.h"
#include "core/format/native_format.h"
#include "core/model/model_test_helpers.h"
#include "core/model/picture_change.h"

namespace tinto::test {
namespace {

const IniOverrides kHistoryOn = {{"Main", "UndoHistory", "1"}};

class UndoCommandsTest : public CanvasTest {
 protected:
  TEditorSession& Session() { return m_form->Session(); }
  QAction* UndoAction() { return m_form->Actions().Undo1; }
  QAction* RedoAction() { return m_form->Actions().Redo1; }
  bool Starred() { return m_form->windowTitle().endsWith('*'); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(m_form.get(), key, modifiers);
  }
  PictureState Now() { return {Session().Screen(), Session().Geometry()}; }
  void ExpectShown(const PictureState& expected, const std::string& when) {
    EXPECT_EQ(FirstDifference(Session().Screen(), expected.screen), "") << when;
    EXPECT_EQ(Session().Geometry(), expected.geometry) << when;
  }

  // OK in the Import Expert hands back a 24 x 96 picture, its cells all 0x0A, pixels 0x55.
  void ScriptImport() {
    m_form->Flows()->SetImportRunner([] {
      ImportedPicture picture{MakeGeometry(3, 96, AttrMode::Mode8x1, 1, 2), {}};
      picture.result.pixels.fill(0x55);
      picture.result.attrs.fill(0x0A);
      return std::optional<ImportedPicture>(picture);
    });
  }
};

// Each change a user makes is one step: Ctrl+Z walks back through them and Ctrl+Y (or
// Ctrl+Shift+Z) forward, to the exact bytes and geometry, and the menu names the step.
TEST_F(UndoCommandsTest, EveryChangeIsOneStepUndoneAndRedoneToTheExactPicture) {
  TMainForm& form = Shown(kHistoryOn);
  Session().Screen().SetPixel(0, 9, 2);
  Session().Screen().SetAttr(0, 9, 2, 0x42);
  ScriptImport();
  std::vector<std::pair<std::string, PictureState>> steps{{"", Now()}};
  const auto stepDone = [&](const std::string& name) {
    EXPECT_EQ(UndoAction()->text().toStdString(), "&Undo " + name);
    EXPECT_NE(FirstDifference(Session().Screen(), steps.back().second.screen) +
                  (Session().Geometry() == steps.back().second.geometry ? "" : "geometry"),
              "")
        << name << " changed nothing";
    steps.push_back({name, Now()});
  };
  Drag(form, {{2, 2}, {3, 2}, {30, 7}, {31, 7}});
  stepDone("Stroke");
  Select(form, {8, 0}, {16, 8});
  Hover(form, {9, 1}, Qt::ControlModifier);  // a copy of the marquee's cells
  Drag(form, {{9, 1}, {21, 3}}, Qt::ControlModifier);
  stepDone("Drop");
  Select(form, {24, 0}, {40, 8});
  form.Clipboard()->Cut1Click();
  stepDone("Cut");
  Select(form, {16, 0}, {32, 8});
  form.Clipboard()->Copy1Click();
  form.Clipboard()->Paste1Click();
  Hover(form, {1, 1});
  Drag(form, {{1, 1}, {41, 17}});
  stepDone("Paste");
  Key(Qt::Key_I);
  stepDone("Import");
  SizePanel(form)->DX()->setValue(5);
  stepDone("Total Width");
  SizePanel(form)->DY()->setValue(50);
  stepDone("DY");
  SizePanel(form)->MLTLeft()->setValue(3);
  stepDone("MLT Window");
  form.Actions().Tinto8x2->trigger();
  stepDone("Mode");
  for (std::size_t i = steps.size() - 1; i > 0; --i) {
    Key(Qt::Key_Z);
    ExpectShown(steps[i - 1].second, "undo of " + steps[i].first);
    EXPECT_EQ(RedoAction()->text().toStdString(), "&Redo " + steps[i].first);
  }
  EXPECT_FALSE(UndoAction()->isEnabled());
  EXPECT_EQ(SizePanel(form)->DX()->value(), 32);
  for (std::size_t i = 1; i < steps.size(); ++i) {
    Key(i % 2 ? Qt::Key_Y : Qt::Key_Z,
        Qt::ControlModifier | (i % 2 ? Qt::NoModifier : Qt::ShiftModifier));
    ExpectShown(steps[i].second, "redo of " + steps[i].first);
  }
  EXPECT_FALSE(RedoAction()->isEnabled());
  EXPECT_TRUE(form.Actions().Tinto8x2->isChecked());
  EXPECT_EQ(SizePanel(form)->DY()->value(), 50);
}

// A saved picture drawn on, then Ctrl+I and OK: Ctrl+Z gives back the picture with the stroke,
// pixels and attributes (the geometry stays the imported one).
TEST_F(UndoCommandsTest, UndoAfterAnImportBringsBackThePictureBeforeIt) {
  TMainForm& form = Shown();
  const std::string path = m_dir.File("saved.tin");
  Session().Screen().SetAttr(1, 100, 100, 0x5C);
  ASSERT_TRUE(WriteNativeFile(path, Session().Screen(), Session().Geometry()));
  form.Flows()->OpenFile(QString::fromStdString(path));
  Drag(form, {{3, 3}, {4, 3}});
  const ScreenBuffers drawn = Session().Screen();
  ScriptImport();
  Key(Qt::Key_I);
  ASSERT_EQ(Session().Screen().Pixels()[0], 0x55);
  Key(Qt::Key_Z);
  EXPECT_EQ(FirstDifference(Session().Screen(), drawn), "");
  EXPECT_EQ(Session().Geometry().DX(), 3);
  EXPECT_TRUE(Starred());
  EXPECT_FALSE(UndoAction()->isEnabled() || RedoAction()->isEnabled());
}

// "*" means "not the picture last saved": undoing back to it removes the mark, undoing past it
// brings it back. New, Open and switching the option drop every step; a switch keeps the mark.
TEST_F(UndoCommandsTest, TheMarkFollowsTheSavedPointAndNewOpenOrASwitchDropTheSteps) {
  Shown(kHistoryOn);
  const std::string path = m_dir.File("pic.tin");
  Drag(*m_form, {{1, 1}});
  m_form->SaveDialog().SetRunner(TSaveDialog::ScriptedName(QString::fromStdString(path)));
  m_form->Flows()->Save_21Click();
  Drag(*m_form, {{2, 2}});
  for (auto [key, starred] : {std::pair{Qt::Key_Z, false}, {Qt::Key_Z, true}, {Qt::Key_Y, false}}) {
    Key(key);
    EXPECT_EQ(Starred(), starred) << key;
  }
  QAction* option = m_form->Actions().UndoHistory1;
  const std::tuple<const char*, std::function<void()>, bool> clears[] = {
      {"New", [&] { m_form->Actions().New1->trigger(); }, false},
      {"Open", [&] { m_form->Flows()->OpenFile(QString::fromStdString(path)); }, false},
      {"option off", [&] { option->trigger(); }, true},
      {"option on", [&] { option->trigger(); }, true}};
  int x = 10;  // new pixels each round, or a stroke might change nothing
  for (const auto& [name, clear, starred] : clears) {
    Drag(*m_form, {{++x, 1}});
    Drag(*m_form, {{++x, 1}});
    UndoCommands(*m_form)->Undo1Click();
    m_messages.Answer(MessageAnswer::No);  // to the save-changes prompt of New and Open
    clear();
    EXPECT_FALSE(UndoAction()->isEnabled() || RedoAction()->isEnabled()) << name;
    EXPECT_EQ(Starred(), starred) << name;
    m_messages = {};
  }
  option->trigger();
  Drag(*m_form, {{3, 3}});
  EXPECT_EQ(UndoAction()->text() + RedoAction()->text(), "&Undo&Redo");
  EXPECT_FALSE(RedoAction()->isEnabled());
}

// Without the history, Undo takes back every stroke since it became available; a drop, a width
// change and a save each start afresh, and the width stays.
TEST_F(UndoCommandsTest, WithoutTheHistoryUndoTakesBackEverythingSinceItBecameAvailable) {
  TMainForm& form = Shown({{"Main", "Use Attributes", "0"}});
  const auto row = [this](int y) { return Session().Screen().PixelByte(0, y, 0); };
  Drag(form, {{0, 0}});
  Drag(form, {{0, 1}});
  Drag(form, {{0, 2}});
  EXPECT_EQ(Session().Screen().AttrByte(0, 2, 0), 0) << "attributes are off";
  Key(Qt::Key_Z);
  EXPECT_EQ(row(0) | row(1) | row(2), 0);
  EXPECT_FALSE(UndoAction()->isEnabled());
  EXPECT_TRUE(Starred()) << "undo leaves the modified mark alone";
  Drag(form, {{1, 0}});
  Drag(form, {{2, 0}});
  UndoCommands(form)->Undo1Click();
  EXPECT_EQ(row(0), 0);
  Drag(form, {{3, 0}});
  Session().MarkSaved(Session().Document().FileName());
  EXPECT_FALSE(UndoAction()->isEnabled());
  UndoCommands(form)->Undo1Click();
  EXPECT_EQ(row(0), 0x10);
  Drag(form, {{0, 4}, {1, 4}});  // pixels 0 and 1, moved 8 to the right
  Select(form, {0, 4}, {8, 5});
  PnTools(form)->SelectTool(tinto::ToolButton::Move);
  Drag(form, {{0, 4}, {8, 4}});
  EXPECT_EQ(Session().Screen().PixelByte(0, 4, 1), 0xC0);
  UndoCommands(form)->Undo1Click();
  EXPECT_EQ(Session().Screen().PixelByte(0, 4, 1), 0x00);
  EXPECT_EQ(row(4), 0xC0);
  Drag(form, {{9, 6}});
  SizePanel(form)->DX()->setValue(20);
  UndoCommands(form)->Undo1Click();
  EXPECT_EQ(Session().Geometry().DX(), 20);
  EXPECT_EQ(Session().Screen().PixelByte(0, 6, 1), 0);
}

}  // namespace
}  // namespace tinto::test
