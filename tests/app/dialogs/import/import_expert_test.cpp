#include "app/dialogs/import/import_expert.h"

#include "app/dialogs/file/open_dialog.h"
#include "app/dialogs/import/destination_pane.h"
#include "app/dialogs/import/import_expert_fixture.h"
#include "app/dialogs/import/import_status_bar.h"
#include "app/dialogs/import/import_tool_bar.h"
#include "app/dialogs/import/source_pane.h"
#include "app/widgets/kel_image.h"
#include "picture/picture_io.h"

namespace tinto::test {
namespace {

// Sliders LR LG LB HTH Contrast HR HG HB, then MLT Width, DY, Magnify, Dither, Stretch, Method.
std::string ControlValues(const TImportExpert& expert) {
  std::string text;
  for (const char* slider : {"LR", "LG", "LB", "HTH", "Contrast", "HR", "HG", "HB"})
    text += std::to_string(expert.Sliders()->Slider(slider)->value()) + " ";
  const TImportToolBar& bar = *expert.ToolBar();
  for (int value : {bar.Spin("MLTWidth")->value(), bar.Spin("DY")->value(), bar.TMagnify()->value(),
                    int(expert.Option<QCheckBox>("CBDither")->isChecked()),
                    int(expert.Option<QCheckBox>("CBStretch")->isChecked()),
                    expert.Option<QComboBox>("Method")->currentIndex()})
    text.append("/").append(std::to_string(value));
  return text;
}

// The stored-file defaults, written out, give the dark values they always gave; a missing
// threshold is mended, but a present key that does not parse takes the stored-file default.
// "Method" is ours: a missing or unknown one is Classic.
TEST_F(ImportExpertTest, ControlsTakeTheKeysClampedAndMissingThresholdsMended) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "96 96 96 128 2 160 160 160 /18/192/4/1/0/0"},
      {"[Import]\nLR=256\nLG=256\nLB=256\nHTH=170\nContrast=256\nHR=270\nHG=270\nHB=270\n",
       "255 255 255 170 4 255 255 255 /18/192/4/1/0/0"},
      {"[Import]\nLR=200\nHB=0\nDX=5\nDY=300\nMagnify=0\nDither=0\nStretch=1\n"
       "Method=perceptual\n",
       "200 96 96 128 2 160 160 0 /5/192/1/0/1/1"},
      {"[import]\nlr=abc\nHTH=0x20\nContrast=-3\nMethod=Fancy\n",
       "255 96 96 32 0 160 160 160 /18/192/4/1/0/0"}};
  for (const auto& [text, values] : cases) EXPECT_EQ(ControlValues(Create(text)), values) << text;
}

// The first two steps are the worked example: the clamped value is the one remembered.
TEST_F(ImportExpertTest, LinkedSlidersMoveTheirGroupByTheRememberedClampedValues) {
  TImportExpert& expert = CreateShown("[Import]\nMagnify=1\nLR=250\nLG=100\nLB=10\n");
  expert.OpenSourceFile(WritePicture("p.png", 64, 48));
  // Slider, value, low link ticked, then the eight slider values after the step.
  const std::tuple<const char*, int, bool, const char*> steps[] = {
      {"LR", 200, true, "200 50 0 128 2 160 160 160 "},
      {"LR", 250, true, "250 100 50 128 2 160 160 160 "},
      {"LB", 60, true, "255 110 60 128 2 160 160 160 "},
      {"HG", 100, true, "255 110 60 128 2 100 100 100 "},
      {"HTH", 200, true, "255 110 60 200 2 100 100 100 "},
      {"LG", 0, false, "255 0 60 200 2 100 100 100 "},
  };
  for (const auto& [slider, value, lowLink, sliders] : steps) {
    expert.Sliders()->LLink()->setChecked(lowLink);
    Slider(slider)->setValue(value);
    const std::string values = ControlValues(expert);
    EXPECT_EQ(values.substr(0, values.find('/')), sliders) << "slider " << slider;
  }
}

TEST_F(ImportExpertTest, RealtimeStepsPreviewPerPixelAndTheReleaseConverts) {
  TImportExpert& expert = CreateShown();
  expert.OpenSourceFile(WritePicture("p.png", 64, 48));
  const ImportResult before = expert.Result();
  Slider("LR")->setSliderDown(true);
  Slider("LR")->setValue(40);
  // Red 80 reaches the threshold; red 8 does not.
  const QImage* dest1 = expert.SBDestin()->Dest1()->Picture();
  EXPECT_EQ(qRed(dest1->pixel(20, 0)), 254);
  EXPECT_EQ(qRed(dest1->pixel(2, 0)), 0);
  EXPECT_EQ(expert.Result().attrs, before.attrs);
  Slider("LR")->setSliderDown(false);
  EXPECT_NE(expert.Result().attrs, before.attrs);

  // A key step has no release: the conversion follows it all the same.
  const ImportResult afterRelease = expert.Result();
  Slider("HR")->setFocus();
  QTest::keyClick(Slider("HR"), Qt::Key_PageDown);
  EXPECT_TRUE(QTest::qWaitFor([&] { return expert.Result().attrs != afterRelease.attrs; }, 2000));
  EXPECT_EQ(expert.PnStatus()->Label(3)->text(), "Red 2: 144");
}

// A left-button drag over the source picture, in control pixels.
void DragOver(TKelImage* source, QPoint from, QPoint to) {
  QTest::mousePress(source, Qt::LeftButton, {}, from);
  QTest::mouseMove(source, to);
  QTest::mouseRelease(source, Qt::LeftButton, {}, to);
}

// Whether "Crop" is offered by the pop-up menu opened at `at`; "Stretch Window" never is.
bool CropOfferedAt(TSourcePane& pane, QPoint at) {
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, pane.Source()->mapToGlobal(at));
  QApplication::sendEvent(pane.Source(), &event);
  EXPECT_FALSE(pane.StretchWindow()->isEnabled());
  pane.PupSource()->hide();
  return pane.CropSource()->isEnabled();
}

// Control pixels at magnification 2. A drag under 8 x 8 picture pixels is no rectangle; a
// drag that starts inside the rectangle moves it, flush against the edge it would pass; a
// crop offered over it makes the cropped picture the source and fits the size to it.
TEST_F(ImportExpertTest, DragsMakeAndMoveTheCropRectangleAndCropShrinksTheSource) {
  TImportExpert& expert = CreateShown("[Import]\nMagnify=2\n");
  expert.OpenSourceFile(WritePicture("p.png", 64, 48));
  TSourcePane& pane = *expert.SBSource();
  DragOver(pane.Source(), {1, 1}, {14, 80});  // 7 x 40 pixels
  EXPECT_FALSE(pane.CropValid());
  DragOver(pane.Source(), {40, 30}, {20, 10});
  EXPECT_EQ(pane.CropRect(), (PixelRect{10, 5, 20, 15}));
  DragOver(pane.Source(), {16, 16}, {48, 48});
  DragOver(pane.Source(), {32, 32}, {-8, 38});
  ASSERT_TRUE(pane.CropValid());
  EXPECT_EQ(pane.CropRect(), (PixelRect{0, 11, 16, 27}));
  EXPECT_FALSE(CropOfferedAt(pane, {100, 80}));
  EXPECT_TRUE(CropOfferedAt(pane, {10, 30}));
  pane.CropSource()->trigger();
  EXPECT_FALSE(pane.CropValid());
  EXPECT_EQ(expert.Session().Picture().Width(), 16);
  EXPECT_EQ(Spin("DX")->value(), 2);
  EXPECT_EQ(Spin("DY")->value(), 16);
}

TEST_F(ImportExpertTest, WithStretchTheCropComesFromTheResampledPicture) {
  TImportExpert& expert = CreateShown("[Import]\nMagnify=2\nStretch=1\n");
  const QString path = WritePicture("p.png", 64, 48);
  expert.OpenSourceFile(path);
  Bitmap24 original, resampled(144, 192);
  ASSERT_TRUE(LoadPicture(path.toStdString(), original));
  ASSERT_TRUE(Stretch(original, resampled, kResampleFilters[kDefaultResampleFilter]));
  DragOver(expert.SBSource()->Source(), {1, 1}, {144, 192});  // (0, 0) would mean the centre
  EXPECT_TRUE(CropOfferedAt(*expert.SBSource(), {10, 10}));
  expert.SBSource()->CropSource()->trigger();
  EXPECT_EQ(expert.Session().Picture(), CropBitmap(resampled, 0, 0, 72, 96));
  EXPECT_EQ(Spin("DX")->value(), 18);
  EXPECT_EQ(Spin("DY")->value(), 192);
}

// A failed first open leaves the dialog empty, and OK hands back the design geometry and an
// all-zero conversion. Whatever the loader refuses later (its own tests feed it every kind of
// damage), the picture stays.
TEST_F(ImportExpertTest, BadFileShowsErrorImageAndKeepsThePreviousPictureOrNone) {
  TImportExpert& expert = CreateShown();
  expert.OpenSourceFile(QPath("missing.jpg"));
  EXPECT_FALSE(expert.Session().Loaded());
  EXPECT_FALSE(expert.SBDestin()->Dest1()->isVisible());
  EXPECT_FALSE(expert.Timer().Enabled());
  EXPECT_EQ(expert.Picture().geometry.DX(), 18);
  EXPECT_EQ(expert.Picture().result.attrs, ScreenBlock{});
  expert.OpenSourceFile(WritePicture("p.png", 64, 48));
  const ImportResult before = expert.Result();
  WriteAll(m_dir.File("garbage.png"), "not a picture");
  std::filesystem::create_directory(m_dir.File("folder.png"));
  for (const char* name : {"garbage.png", "folder.png"}) {
    expert.OpenSourceFile(QPath(name));
    EXPECT_EQ(m_messages.Shown().back().text, "Error Image.");
    EXPECT_EQ(expert.Session().Picture().Width(), 64);
    EXPECT_EQ(expert.Result().pixels, before.pixels);
    EXPECT_TRUE(Slider("LR")->isEnabled());
  }
  EXPECT_EQ(m_messages.Shown().size(), 3u);
}

TEST_F(ImportExpertTest, OpenSourceOrADropOpensThePictureAndFitsTheSize) {
  TImportExpert& expert = CreateShown();
  TfrmOpen openDialog(IniFile(SettingsPath()), m_messages, Q(m_dir.Path().string()));
  expert.SetOpenDialog(&openDialog);
  const QString path = WritePicture("photo.png", 100, 50);
  QString title;
  openDialog.SetRunner([&](TfrmOpen& dialog) {
    title = dialog.Title();
    EXPECT_TRUE(dialog.ShowPicture());
    return TypeNameAndEnter(dialog, path);
  });
  Spin("MLTLeft")->setValue(3);
  QTest::keyClick(&expert, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(title, "Open Picture...");
  EXPECT_EQ(Spin("DX")->value(), 12);
  EXPECT_EQ(Spin("DY")->value(), 50);
  EXPECT_EQ(Spin("MLTLeft")->value(), 0);
  // A dropped picture opens the same way.
  EXPECT_TRUE(DragFiles(expert, {QUrl::fromLocalFile(WritePicture("d.png", 40, 30))}, true));
  EXPECT_EQ(Spin("DX")->value(), 5);
}

// A number typed into any field and Enter: the field takes it and the dialog stays; Enter on a
// check box is OK.
TEST_F(ImportExpertTest, EnterInANumberFieldFinishesTheNumberAndOnlyElsewhereIsOk) {
  TImportExpert& expert = CreateShown("[Import]\nMagnify=1\nStretch=1\n");
  expert.OpenSourceFile(WritePicture("p.png", 64, 48));
  const std::pair<QSpinBox*, int> typed[] = {{Spin("DX"), 20},
                                             {Spin("DY"), 100},
                                             {Spin("MLTWidth"), 7},
                                             {expert.ToolBar()->TMagnify(), 3}};
  for (const auto& [spin, value] : typed) {
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QString::number(value));
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_TRUE(expert.isVisible()) << spin->objectName().toStdString();
    EXPECT_EQ(spin->value(), value) << spin->objectName().toStdString();
  }
  EXPECT_EQ(expert.Session().Dest1().Width(), 160);
  expert.Option<QCheckBox>("CBDither")->setFocus();
  QTest::keyClick(expert.Option<QCheckBox>("CBDither"), Qt::Key_Return);
  EXPECT_FALSE(expert.isVisible());
  EXPECT_EQ(expert.result(), QDialog::Accepted);
}

// At Mag 4 both panes scroll: whichever is scrolled, the other shows the same picture pixels.
// While another window is active, controls the dialog rewrites itself (the MLT window pulled into
// a smaller DX) leave `ImportReady` off, as it was; reactivation restores it and the flicker.
TEST_F(ImportExpertTest, BothPanesScrollTogetherAndReactivationRestoresTheConversion) {
  TImportExpert& expert = CreateShown("[Import]\nMagnify=4\n");
  expert.OpenSourceFile(WritePicture("p.png", 256, 192));
  QScrollBar* sourceH = expert.SBSource()->horizontalScrollBar();
  QScrollBar* destinH = expert.SBDestin()->horizontalScrollBar();
  QScrollBar* sourceV = expert.SBSource()->verticalScrollBar();
  QScrollBar* destinV = expert.SBDestin()->verticalScrollBar();
  ASSERT_GT(std::min(sourceH->maximum(), destinV->maximum()), 300);
  sourceH->setValue(300);
  EXPECT_EQ(destinH->value(), 300);
  destinV->setValue(250);
  EXPECT_EQ(sourceV->value(), 250);
  QTest::keyClick(expert.SBDestin()->viewport(), Qt::Key_Right);
  EXPECT_EQ(sourceH->value(), destinH->value());
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_FALSE(expert.ImportReady());
  EXPECT_FALSE(expert.Timer().Enabled());
  Spin("DX")->setValue(3);
  EXPECT_FALSE(expert.ImportReady());
  expert.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&expert));
  EXPECT_TRUE(expert.ImportReady());
  EXPECT_TRUE(expert.Timer().Enabled());
}

// A picture cut short is kept, filled where it is missing, and the status bar says so (until a
// value changes, as after Auto); a whole picture brings the values back.
TEST_F(ImportExpertTest, ATruncatedPictureIsKeptAndTheStatusBarSaysSo) {
  TImportExpert& expert = CreateShown();
  WritePicture("whole.bmp", 64, 48);
  const std::string bytes = ReadAll(m_dir.File("whole.bmp"));
  WriteAll(m_dir.File("cut.bmp"), bytes.substr(0, bytes.size() / 2));
  expert.OpenSourceFile(QPath("cut.bmp"));
  EXPECT_TRUE(m_messages.Shown().empty());
  EXPECT_EQ(expert.Session().Picture().Width(), 64);
  QLabel* message = expert.PnStatus()->Message();
  EXPECT_TRUE(message->isVisible());
  EXPECT_EQ(message->text(), "truncated: the missing part is filled");
  expert.OpenSourceFile(QPath("whole.bmp"));
  EXPECT_FALSE(message->isVisible());
}

}  // namespace
}  // namespace tinto::test
