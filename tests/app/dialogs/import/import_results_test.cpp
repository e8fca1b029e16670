// What the Import Expert shows and hands back: the quality readout, the method and Auto, the
// converted frames under every shipped skin, OK's picture against `tinto convert`'s, and that
// picture taken into the document.

#include "app/dialogs/import/destination_pane.h"
#include "app/dialogs/import/import_expert_fixture.h"
#include "app/dialogs/import/import_status_bar.h"
#include "app/main_form_fixture.h"
#include "app/skin/skin_data.h"
#include "app/skin/skin_loader.h"
#include "app/widgets/kel_image.h"
#include "core/format/native_format.h"

namespace tinto::test {
namespace {

using ImportQualityTest = ImportExpertTest;

// The blurred colour error the status bar shows in any of its forms, or -1 when it shows none.
double ShownError(const TImportExpert& expert) {
  static const QRegularExpression pattern(
      QString::fromUtf8("^(?:(?:Blur )?ΔE )?(\\d+\\.\\d\\d)(?: · SSIM | / )0\\.\\d{3}$"));
  const QRegularExpressionMatch match = pattern.match(expert.PnStatus()->Quality()->text());
  return match.hasMatch() ? match.captured(1).toDouble() : -1.0;
}

// At the dialog's first size the figures carry their names.
TEST_F(ImportQualityTest, ReadoutFollowsConversionsNotRealtimeSteps) {
  TImportExpert& expert = CreateShown();
  EXPECT_EQ(expert.PnStatus()->Quality()->text(), "");
  expert.OpenSourceFile(WritePicture("p.png", 64, 48));
  const QString first = expert.PnStatus()->Quality()->text();
  ASSERT_GT(ShownError(expert), 0.0) << first.toStdString();
  EXPECT_TRUE(first.contains(QString::fromUtf8("ΔE ")) && first.contains("SSIM "))
      << first.toStdString();
  Slider("LR")->setSliderDown(true);
  Slider("LR")->setValue(10);
  EXPECT_EQ(expert.PnStatus()->Quality()->text(), first);
  Slider("LR")->setSliderDown(false);
  EXPECT_NE(expert.PnStatus()->Quality()->text(), first);
  expert.resize(1200, expert.height());
  EXPECT_TRUE(expert.PnStatus()->Quality()->text().startsWith(QString::fromUtf8("Blur ΔE ")));
  EXPECT_GT(ShownError(expert), 0.0);
}

// Auto considers both methods from either: its choice is in the controls (the method too, and
// what it greys out), converting again changes nothing, the status bar names the method until
// a value changes.
TEST_F(ImportQualityTest, AutoShowsItsChoiceOfMethodAndOptions) {
  for (int startMethod : {0, 1}) {
    TImportExpert& expert = CreateShown();
    expert.OpenSourceFile(WritePicture("p.png", 64, 48));
    expert.Option<QCheckBox>("CBDither")->setChecked(false);
    QComboBox* method = expert.Option<QComboBox>("Method");
    EXPECT_EQ(method->currentText() + method->itemText(1), "ClassicPerceptual");
    const ImportResult classicResult = expert.Result();
    method->setCurrentIndex(1);  // a choice converts again, and Classic comes back unchanged
    EXPECT_NE(expert.Result().attrs, classicResult.attrs);
    EXPECT_FALSE(expert.Option<QCheckBox>("CBDither")->isEnabled());
    method->setCurrentIndex(0);
    EXPECT_EQ(expert.Result().attrs, classicResult.attrs);
    method->setCurrentIndex(startMethod);
    QTest::mouseClick(expert.Sliders()->Auto(), Qt::LeftButton);
    const bool classic = method->currentIndex() == 0;
    EXPECT_EQ(expert.Session().Options()->Method,
              classic ? ImportMethod::Classic : ImportMethod::Perceptual);
    QLabel* message = expert.PnStatus()->Message();
    EXPECT_TRUE(message->isVisible());
    EXPECT_EQ(message->text(), "Auto chose " + method->currentText());
    EXPECT_EQ(Slider("LR")->isEnabled(), classic);
    EXPECT_TRUE(!classic || expert.Option<QCheckBox>("CBDither")->isChecked());
    const ImportResult result = expert.Result();
    const double error = ShownError(expert);
    expert.ConvertImport();
    EXPECT_EQ(expert.Result().attrs, result.attrs);
    EXPECT_EQ(ShownError(expert), error);
    Spin("MLTWidth")->setValue(4);
    EXPECT_FALSE(message->isVisible());
    EXPECT_TRUE(expert.PnStatus()->Label(0)->isVisible());
  }
}

// The converted frames show through under every shipped skin: a skin's style sheet paints the
// backgrounds of plain widgets, and nothing of that kind may lie over the frames.
class ImportSkinsTest : public ImportExpertTest {
 protected:
  void TearDown() override { m_skin.SwitchOff(); }
  SkinData m_skin;
};

// The pane drawn as the screen shows it, with Dest1 up: the frame's colours (0, 177 or 254 a
// channel, none a skin's background) where the frame lies, red where the lines are; in Tinto
// mode there are no lines.
TEST_F(ImportSkinsTest, TheResultShowsInTheDestinationPaneUnderEverySkin) {
  for (const char* skin : {"", "classic.ini", "dark.ini", "maroon.ods"}) {
    SCOPED_TRACE(skin);
    if (*skin != '\0') {
      ASSERT_TRUE(LoadSkinFile(m_skin, QStringLiteral(TINTO_SHIPPED_SKINS "/") + skin));
    }
    ASSERT_EQ(m_skin.Active(), *skin != '\0');
    TImportExpert& expert = CreateShown("[Import]\nMagnify=2\nDX=4\n");
    expert.OpenSourceFile(WritePicture("p.png", 64, 48));
    Spin("MLTLeft")->setValue(2);
    expert.Timer().SetEnabled(false);
    TDestinationPane& pane = *expert.SBDestin();
    if (!pane.Dest1()->isVisible()) pane.SwapFrames();
    const QImage shown = pane.viewport()->grab().toImage();
    const Bitmap24& dest1 = expert.Session().Dest1();
    for (const QPoint picture : {QPoint(5, 10), QPoint(50, 30), QPoint(20, 40)}) {
      const Rgb converted = dest1.Pixel(picture.x(), picture.y());
      const QPoint at = pane.Dest1()->mapTo(pane.viewport(), picture * 2);
      EXPECT_EQ(QColor(shown.pixel(at)),
                QColor(RedOf(converted), GreenOf(converted), BlueOf(converted)))
          << picture.x() << "," << picture.y();
    }
    // The MLT window's lines at columns 2 and 2 + 4, magnified twice.
    for (int x : {32, 96})
      EXPECT_EQ(QColor(shown.pixel(pane.Dest1()->mapTo(pane.viewport(), QPoint(x, 7)))),
                QColor(Qt::red));
  }
  m_expert->Option<QCheckBox>("TintoMode")->setChecked(true);
  EXPECT_FALSE(m_expert->SBDestin()->Lines().has_value());
}

// What the Import Expert's OK hands to the editor is what `tinto convert` writes with the same
// options: both run the same ImportSession. The tool runs as a user runs it, as a program.
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

// "&Import..." of the main window: OK makes the dialog's result an untitled, modified picture.
class ImportIntoDocumentTest : public MainFormTest {
 protected:
  struct Run {
    bool picture, accept, tintoMode, modifiedBefore;
  };

  // The dialog's run as a user makes it: open a picture, tick the mode, press OK or Cancel.
  void ScriptRun(TImportExpert& expert, const Run& run) {
    m_form->Flows()->SetImportRunner([this, &expert, run]() -> std::optional<ImportedPicture> {
      m_timerDuringRun = m_form->Timer().Enabled();
      expert.Start();
      if (run.picture) expert.OpenSourceFile(QPath("p.png"));
      expert.Option<QCheckBox>("TintoMode")->setChecked(run.tintoMode);
      (run.accept ? expert.OK() : expert.Cancel())->click();
      if (expert.result() != QDialog::Accepted) return std::nullopt;
      return expert.Picture();
    });
  }

  bool m_timerDuringRun = true;
};

TEST_F(ImportIntoDocumentTest, OkReplacesThePictureAsAnUntitledModifiedDocument) {
  QImage image(64, 48, QImage::Format_RGB32);
  image.fill(qRgb(200, 40, 90));
  ASSERT_TRUE(image.save(QPath("p.png")));
  for (const Run& c : {Run{true, true, false, false}, Run{true, true, true, true},
                       Run{false, true, false, true}, Run{true, false, false, true}}) {
    SCOPED_TRACE(testing::Message() << c.picture << c.accept << c.tintoMode << c.modifiedBefore);
    CreateShown();
    auto* expert = new TImportExpert(IniFile(SettingsPath()), m_messages, {}, m_form.get());
    TEditorSession& session = m_form->Session();
    session.StartDocument(m_dir.File("named.tin"));
    if (c.modifiedBefore) DrawPixel(session, 0, 0);
    const std::string titleBefore = m_form->windowTitle().toStdString();
    const ScreenBuffers screenBefore = session.Screen();
    ScriptRun(*expert, c);

    QTest::keyClick(m_form.get(), Qt::Key_I, Qt::ControlModifier);

    EXPECT_FALSE(m_timerDuringRun);
    EXPECT_TRUE(m_messages.Shown().empty());
    if (!c.accept) {
      EXPECT_EQ(m_form->windowTitle().toStdString(), titleBefore);
      EXPECT_EQ(session.Screen().Pixels(), screenBefore.Pixels());
      continue;
    }
    const std::string untitled = session.Document().AbsoluteName(kUntitledName);
    EXPECT_EQ(m_form->windowTitle().toStdString(), "Tinto Editor - [" + untitled + "]*");
    EXPECT_TRUE(session.Document().Modified());
    EXPECT_EQ(session.Screen().Pixels(), expert->Result().pixels);
    EXPECT_EQ(session.Screen().Attrs(), expert->Result().attrs);
    const ScreenGeometry& g = session.Geometry();
    EXPECT_EQ(g.DX(), c.picture ? 8 : 18);
    EXPECT_EQ(g.DY(), c.picture ? 48 : 192);
    EXPECT_EQ(SizePanel(*m_form)->DX()->value(), g.DX());
    EXPECT_EQ(g.Mode(), c.tintoMode ? AttrMode::Mode8x2 : AttrMode::Mode8x1);
    EXPECT_EQ(m_form->Actions().Tinto8x2->isChecked(), c.tintoMode);
  }
}

}  // namespace
}  // namespace tinto::test
