#include "app/platform/window_placement.h"

#include "app/dialogs/import/import_expert.h"
#include "app/dialogs/preview/preview_form.h"
#include "app/editor/editor_session.h"
#include "app/editor/view_state.h"
#include "app/gui_test.h"
#include "app/platform/async_timer.h"
#include "core/format/ini_file.h"

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
class StoredBoundsTest : public WindowTest {
 protected:
  QRect ImportBounds(const std::string& size) {
    WriteSettings("[Import]\nLeft=5\nTop=40\n" + size);
    const IniFile settings(SettingsPath());
    TImportExpert expert(settings, m_messages, {[] { return quint16{5}; }, [] { return false; }});
    return expert.geometry();
  }
  QRect PreviewBounds(const std::string& size) {
    WriteSettings("[Preview]\nLeft=5\nTop=40\n" + size);
    const IniFile settings(SettingsPath());
    TEditorSession session;
    TViewState view;
    TAsyncTimer timer;
    TPreviewForm preview(session, view, timer, settings);
    return preview.geometry();
  }
};

TEST_F(StoredBoundsTest, ImportAndPreviewWindowsFitTheScreen) {
  EXPECT_EQ(ImportBounds("Width=99999\nHeight=99999\n"), QRect(0, 32, 800, 768));
  EXPECT_EQ(PreviewBounds("Width=99999\nHeight=99999\n"), QRect(0, 32, 800, 768));
  // The Import Expert's own minimum size is larger still.
  const QRect import = ImportBounds("Width=-40\nHeight=-40\n");
  EXPECT_EQ(import.topLeft(), QPoint(5, 40));
  EXPECT_TRUE(import.width() >= 160 && import.height() >= 120);
  EXPECT_EQ(PreviewBounds("Width=-40\nHeight=-40\n"), QRect(5, 40, 160, 120));
}

}  // namespace
}  // namespace tinto::test
