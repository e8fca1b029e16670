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
  // A copy of the marquee's cells, dragged with Ctrl held (in the key state and the events).
  void CtrlDrag(PixelPoint from, PixelPoint to) {
    QTest::keyPress(m_form.get(), Qt::Key_Control);
    Hover(*m_form, from);
    TKelImage* image = Image(*m_form);
    QTest::mousePress(image, Qt::LeftButton, Qt::ControlModifier, At(from.x, from.y));
    QTest::mouseMove(image, At(to.x, to.y));
    QTest::mouseRelease(image, Qt::LeftButton, Qt::ControlModifier, At(to.x, to.y));
    QTest::keyRelease(m_form.get(), Qt::Key_Control);
  }
  void SaveAs(const std::string& path) {
    m_form->Flows()->SaveDialog().SetRunner(
        TSaveDialog::ScriptedName(QString::fromStdString(path)));
    m_form->Flows()->Save_21Click();
  }
};

// Each change a user makes is one step: Ctrl+Z walks back through them and Ctrl+Y (or
// Ctrl+Shift+Z) forward, to the exact bytes and geometry, and the menu names the step.
TEST_F(UndoCommandsTest, EveryChangeIsOneStepUndoneAndRedoneToTheExactPicture) {
  TMainForm& form = Shown(kHistoryOn);
  Session().Screen().SetPixel(0, 9, 2);
  Session().Screen().SetAttr(0, 9, 2, 0x42);
  ScriptImport();
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"Stroke",
       [&] {
         Drag(form, {{2, 2}, {3, 2}, {30, 7}, {31, 7}});
       }},
      {"Drop",
       [&] {
         Select(form, {8, 0}, {16, 8});
         CtrlDrag({9, 1}, {21, 3});
       }},
      {"Cut",
       [&] {
         Select(form, {24, 0}, {40, 8});
         form.Clipboard()->Cut1Click();
       }},
      {"Paste",
       [&] {
         Select(form, {16, 0}, {32, 8});
         form.Clipboard()->Copy1Click();
         form.Clipboard()->Paste1Click();
         Hover(form, {1, 1});
         Drag(form, {{1, 1}, {41, 17}});
       }},
      {"Import", [&] { Key(Qt::Key_I); }},
      {"Total Width", [&] { form.SizePanel()->DX()->setValue(5); }},
      {"DY", [&] { form.SizePanel()->DY()->setValue(50); }},
      {"MLT Window", [&] { form.SizePanel()->MLTLeft()->setValue(3); }},
      {"Mode", [&] { form.Actions().Tinto8x2->trigger(); }},
  };
  std::vector<PictureState> pictures{Now()};
  for (const auto& [name, change] : changes) {
    change();
    EXPECT_EQ(UndoAction()->text().toStdString(), std::string("&Undo ") + name);
    EXPECT_NE(FirstDifference(Session().Screen(), pictures.back().screen) +
                  (Session().Geometry() == pictures.back().geometry ? "" : "geometry"),
              "")
        << name << " changed nothing";
    pictures.push_back(Now());
  }
  for (std::size_t i = std::size(changes); i > 0; --i) {
    Key(Qt::Key_Z);
    ExpectShown(pictures[i - 1], std::string("undo of ") + changes[i - 1].first);
    EXPECT_EQ(RedoAction()->text().toStdString(), std::string("&Redo ") + changes[i - 1].first);
  }
  EXPECT_FALSE(UndoAction()->isEnabled());
  EXPECT_EQ(form.SizePanel()->DX()->value(), 32);
  for (std::size_t i = 1; i <= std::size(changes); ++i) {
    Key(i % 2 ? Qt::Key_Y : Qt::Key_Z,
        Qt::ControlModifier | (i % 2 ? Qt::NoModifier : Qt::ShiftModifier));
    ExpectShown(pictures[i], std::string("redo of ") + changes[i - 1].first);
  }
  EXPECT_FALSE(RedoAction()->isEnabled());
  EXPECT_TRUE(form.Actions().Tinto8x2->isChecked());
  EXPECT_EQ(form.SizePanel()->DY()->value(), 50);
}

// A saved picture drawn on, then Ctrl+I and OK: Ctrl+Z gives back the picture with the stroke.
// The single snapshot puts back its pixels and attributes; the history its geometry too.
TEST_F(UndoCommandsTest, UndoAfterAnImportBringsBackThePictureBeforeIt) {
  for (const bool history : {false, true}) {
    TMainForm& form = Shown({{"Main", "UndoHistory", history ? "1" : "0"}});
    const std::string path = m_dir.File("saved.tin");
    Session().Screen().SetAttr(1, 100, 100, 0x5C);
    ASSERT_TRUE(WriteNativeFile(path, Session().Screen(), Session().Geometry()));
    form.Flows()->OpenFile(QString::fromStdString(path));
    Drag(form, {{3, 3}, {4, 3}});
    const PictureState drawn = Now();
    ScriptImport();
    Key(Qt::Key_I);
    ASSERT_EQ(Session().Screen().Pixels()[0], 0x55);
    Key(Qt::Key_Z);
    EXPECT_EQ(FirstDifference(Session().Screen(), drawn.screen), "") << history;
    EXPECT_EQ(Session().Geometry().DX(), history ? 32 : 3);
    EXPECT_TRUE(Starred());
    EXPECT_EQ(RedoAction()->isEnabled(), history);
    EXPECT_EQ(UndoAction()->text(), history ? "&Undo Stroke" : "&Undo");
    m_form.reset();
  }
}

// "*" means "not at the saved picture": undoing back to it removes the mark, undoing or
// redoing away from it brings it back; a new stroke after Undo drops the steps ahead.
TEST_F(UndoCommandsTest, TheModifiedMarkFollowsTheSavedPoint) {
  Shown(kHistoryOn);
  Drag(*m_form, {{1, 1}});
  SaveAs(m_dir.File("pic.tin"));
  Drag(*m_form, {{2, 2}});
  const std::pair<Qt::Key, bool> walk[] = {
      {Qt::Key_Z, false}, {Qt::Key_Z, true}, {Qt::Key_Y, false}, {Qt::Key_Y, true}};
  for (auto [key, starred] : walk) {
    Key(key);
    EXPECT_EQ(Starred(), starred) << key;
  }
  Key(Qt::Key_Z);
  Key(Qt::Key_Z);
  Drag(*m_form, {{3, 3}});
  EXPECT_FALSE(RedoAction()->isEnabled());
  EXPECT_TRUE(Starred());
  Key(Qt::Key_Z);
  EXPECT_TRUE(Starred()) << "the saved picture was among the dropped steps";
}

// New and Open start an empty history; switching the option drops what was held but keeps
// the modified mark; with the option off Redo is shown, disabled.
TEST_F(UndoCommandsTest, NewOpenAndSwitchingTheOptionClearTheHistory) {
  Shown(kHistoryOn);
  const std::string path = m_dir.File("pic.tin");
  ASSERT_TRUE(WriteNativeFile(path, Session().Screen(), Session().Geometry()));
  QAction* option = m_form->Actions().UndoHistory1;
  // What clears, and whether the picture stays marked modified after it.
  const std::tuple<const char*, std::function<void()>, bool> clears[] = {
      {"New", [&] { m_form->Actions().New1->trigger(); }, false},
      {"Open", [&] { m_form->Flows()->OpenFile(QString::fromStdString(path)); }, false},
      {"option off", [&] { option->trigger(); }, true},
      {"option on", [&] { option->trigger(); }, true},
  };
  for (const auto& [name, clear, starred] : clears) {
    Drag(*m_form, {{1, 1}});
    Drag(*m_form, {{2, 2}});
    m_form->UndoCommands()->Undo1Click();
    m_messages.Answer(MessageAnswer::No);  // to the save-changes prompt of New and Open
    clear();
    EXPECT_FALSE(UndoAction()->isEnabled()) << name;
    EXPECT_FALSE(RedoAction()->isEnabled()) << name;
    EXPECT_EQ(Starred(), starred) << name;
    m_messages = {};
  }
  EXPECT_TRUE(Session().UndoHistoryOn());
  option->trigger();
  Drag(*m_form, {{3, 3}});
  EXPECT_EQ(UndoAction()->text(), "&Undo");
  EXPECT_FALSE(RedoAction()->isEnabled());
  EXPECT_EQ(RedoAction()->text(), "&Redo");
}

}  // namespace
}  // namespace tinto::test
