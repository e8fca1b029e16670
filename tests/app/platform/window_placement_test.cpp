#include "app/platform/window_placement.h"

#include "app/dialogs/import/import_expert.h"
#include "app/dialogs/preview/preview_form.h"
#include "app/editor/editor_session.h"
#include "app/editor/view_state.h"
#include "app/main_form_fixture.h"
#include "app/platform/async_timer.h"

namespace tinto::test {
namespace {

// The offscreen platform's one screen is 800 x 800; 32 pixels are kept for the title bar.
TEST(WindowPlacement, StoredBoundsAreFittedToTheirScreen) {
  ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 800));
  const std::pair<QRect, QRect> cases[] = {
      {{100, 100, 400, 300}, {100, 100, 400, 300}},
      {{0, 0, 16384, 16384}, {0, 32, 800, 768}},
      {{700, 600, 400, 300}, {400, 500, 400, 300}},  // moved back in only as far as needed
      {{10, 0, 1, 1}, {10, 32, 160, 120}},
      {{-16384, -16384, 1, 1}, {320, 340, 160, 120}},  // off every screen: centred
  };
  for (const auto& [stored, fitted] : cases) EXPECT_EQ(FittedToScreen(stored), fitted);
}

// Each window that keeps its bounds in the settings file fits them to the screen.
class StoredBoundsTest : public MainFormTest {
 protected:
  QRect Bounds(const std::string& section, const std::string& size) {
    m_form.reset();  // a second editor on the same settings would step aside
    WriteSettings("[" + section + "]\nLeft=5\nTop=40\n" + size);
    const IniFile settings(SettingsPath());
    if (section == "Main") return Create().geometry();
    if (section == "Import")
      return TImportExpert(settings, m_messages, {[] { return quint16{5}; }, [] { return false; }})
          .geometry();
    TEditorSession session;
    TViewState view;
    TAsyncTimer timer;
    return TPreviewForm(session, view, timer, settings).geometry();
  }
};

TEST_F(StoredBoundsTest, EveryWindowFitsItsStoredBoundsToTheScreen) {
  for (const char* section : {"Main", "Import", "Preview"}) {
    EXPECT_EQ(Bounds(section, "Width=99999\nHeight=99999\n"), QRect(0, 32, 800, 768)) << section;
    const QRect small = Bounds(section, "Width=-40\nHeight=-40\n");
    EXPECT_EQ(small.topLeft(), QPoint(5, 40)) << section;
    // The Import Expert's own minimum size is larger still.
    const bool import = section == std::string("Import");
    EXPECT_EQ(small.size(), import ? small.size().expandedTo({160, 120}) : QSize(160, 120));
  }
}

}  // namespace
}  // namespace tinto::test
