// What the Import Expert's OK hands to the editor is what `tinto convert` writes with the same
// options: both run the same ImportSession. The tool runs as a user runs it, as a program.

#include "app/dialogs/import/import_expert_fixture.h"
#include "core/format/native_format.h"

namespace tinto::test {
namespace {

class ImportMatchesToolTest : public ImportExpertTest {
 protected:
  // The .tin file F2 saves after OK.
  std::string SavedAfterOk() {
    const ImportedPicture picture = m_expert->Picture();
    auto screen = std::make_unique<ScreenBuffers>();
    screen->LoadScreen(picture.result.pixels, picture.result.attrs);
    EXPECT_TRUE(WriteNativeFile(m_dir.File("dialog.tin"), *screen, picture.geometry));
    return ReadAll(m_dir.File("dialog.tin"));
  }

  std::string Converted(const QString& picture, const QStringList& options) {
    const QString out = QString::fromStdString(m_dir.File("tool.tin"));
    QProcess tool;
    tool.start(QStringLiteral(TINTO_TOOL_PATH), QStringList{"convert", picture, out} + options);
    EXPECT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    return ReadAll(out.toStdString());
  }
};

// A new settings file, a user's changes in the dialog (a slider dragged and let go, a box ticked,
// the method chosen, Auto), and the tool's options of the same meaning (README, "Importing a
// photo").
TEST_F(ImportMatchesToolTest, OkTakesWhatTheToolWritesWithTheSameOptions) {
  const struct {
    const char* settings;
    std::function<void(TImportExpert&)> change;
    QStringList options;
  } cases[] = {
      {"[Import]\n", [](TImportExpert&) {}, {"--no-stretch"}},
      {"[Import]\nStretch=1\n",
       [](TImportExpert& expert) {
         QSlider* lr = expert.Sliders()->Slider("LR");
         lr->setSliderDown(true);
         lr->setValue(70);
         lr->setSliderDown(false);
       },
       {"--dx", "18", "--dy", "192", "--lr", "70", "--lg", "70", "--lb", "70"}},
      {"[Import]\n",
       [](TImportExpert& expert) {
         expert.Option<QCheckBox>("TintoMode")->setChecked(true);
         expert.Option<QComboBox>("Method")->setCurrentIndex(1);
       },
       {"--no-stretch", "--tinto8x2", "--method", "perceptual"}},
      {"[Import]\nDither=0\n",
       [](TImportExpert& expert) { expert.AutoClick(); },
       {"--no-stretch", "--auto"}},
  };
  const QString picture = WritePicture("p.png", 100, 60);
  for (const auto& c : cases) {
    TImportExpert& expert = CreateShown(c.settings);
    expert.OpenSourceFile(picture);
    c.change(expert);
    // Compared whole; a difference is reported by the options, not by 50 KB of bytes.
    EXPECT_TRUE(SavedAfterOk() == Converted(picture, c.options))
        << c.options.join(' ').toStdString();
  }
}

}  // namespace
}  // namespace tinto::test
