#include "app/editor/export_flow.h"

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "app/main_form_fixture.h"

namespace tinto::test {
namespace {

// Root writes anywhere: off, this thread checks permissions as a plain user does. Only the
// effective set changes, so the capabilities can come back.
void SetFileOverride(bool on) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  syscall(SYS_capget, &header, data);
  const unsigned bits = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
  data[0].effective =
      on ? data[0].effective | (data[0].permitted & bits) : data[0].effective & ~bits;
  syscall(SYS_capset, &header, data);
}

// An 8 x 8 picture (Total Width 1, DY 8). Row 0: pixel 0 set in both frames, frame 0 bright
// red ink (254, 0, 0), frame 1 blue ink (0, 0, 177), black paper; mixed, red is bright in one
// frame only (199) and blue normal in one frame only (127). Row 1: no pixel, frame 0 white
// paper (177 each), frame 1 black paper; mixed 127 each. The table gives them in hex.
class ExportFlowTest : public MainFormTest {
 protected:
  TMainForm& Start() {
    TMainForm& form = Create();
    form.Session().Geometry().SetDX(1);
    form.Session().Geometry().SetDY(8);
    ScreenBuffers& screen = form.Session().Screen();
    screen.SetPixel(0, 0, 0);
    screen.SetPixel(1, 0, 0);
    screen.SetAttr(0, 0, 0, 0x42);
    screen.SetAttr(1, 0, 0, 0x01);
    screen.SetAttr(0, 0, 1, 0x38);
    return form;
  }
  void Export(TMainForm& form, const std::string& path, ExportFormat format, int scale = 1) {
    form.ExportDialog().SetRunner(TExportDialog::Scripted(Q(path), format, scale));
    Exporter(form)->Export1Click();
  }
};

TEST_F(ExportFlowTest, PngsHoldTheChosenScreenAtTheChosenScale) {
  // Format, scale, then pixels and their colours.
  const std::tuple<ExportFormat, int, std::vector<std::pair<QPoint, QRgb>>> cases[] = {
      {ExportFormat::MixPng, 1, {{{0, 0}, 0xC7007F}, {{1, 0}, 0}, {{0, 1}, 0x7F7F7F}}},
      {ExportFormat::Frame1Png, 2, {{{1, 1}, 0xFE0000}, {{2, 0}, 0}, {{0, 2}, 0xB1B1B1}}},
      {ExportFormat::Frame2Png, 3, {{{2, 2}, 0x0000B1}, {{3, 0}, 0}, {{0, 3}, 0}}},
  };
  TMainForm& form = Start();
  for (const auto& [format, scale, pixels] : cases) {
    const std::string path = m_dir.File("out" + std::to_string(scale));
    Export(form, path, format, scale);
    const QImage image(Q(path + ".png"));
    ASSERT_EQ(image.size(), QSize(8, 8) * scale) << scale;
    for (const auto& [at, color] : pixels)
      EXPECT_EQ(image.pixel(at) & 0xFFFFFF, color) << scale << " " << at.x() << "," << at.y();
  }
  EXPECT_TRUE(m_messages.Shown().empty());
}

// After Yes a file in a folder that cannot be written says why and stays as it was.
TEST_F(ExportFlowTest, AnExistingFileIsReplacedOnlyAfterYesAndWhenItCanBe) {
  TMainForm& form = Start();
  const std::string path = m_dir.File("old.png");
  for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
    WriteAll(path, "old");
    m_messages.Answer(answer);
    Export(form, path, ExportFormat::MixPng);
    EXPECT_EQ(m_messages.Shown().back().text.toStdString(),
              "File: " + path + " already Exists.\n\rOverwrite?");
    EXPECT_EQ(ReadAll(path) == "old", answer == MessageAnswer::No);
  }
  // No temporary file is left behind.
  const auto files = std::filesystem::directory_iterator(m_dir.Path());
  EXPECT_EQ(std::distance(begin(files), end(files)), 1);
  const std::string written = ReadAll(path);
  ASSERT_EQ(chmod(m_dir.Path().c_str(), 0555), 0);
  m_messages.Answer(MessageAnswer::Yes);
  SetFileOverride(false);
  Export(form, path, ExportFormat::MixPng);
  SetFileOverride(true);
  chmod(m_dir.Path().c_str(), 0755);
  EXPECT_EQ(m_messages.Shown().back().text.toStdString(), "Permission denied");
  EXPECT_EQ(ReadAll(path), written);
}

TEST_F(ExportFlowTest, ScaleIsGreyedOutForTheTwoFileType) {
  TMainForm& form = Start();
  std::vector<bool> enabled;
  form.ExportDialog().SetRunner([&enabled](QFileDialog& dialog) {
    auto* scale = dialog.findChild<QSpinBox*>("Scale");
    for (ExportFormat format : {ExportFormat::TwoFile, ExportFormat::Frame2Png}) {
      dialog.selectNameFilter(TExportDialog::NameFilter(format));
      enabled.push_back(scale->isEnabled());
    }
    return false;
  });
  Exporter(form)->Export1Click();
  EXPECT_EQ(enabled, (std::vector<bool>{false, true}));
}

// The name typed with either file's extension names the pair; each file holds the 8 pixel
// bytes of column 0, then its 8 attribute bytes. Screen 2's attribute made one for the whole
// 8 x 8 cell: its screen dump holds it. Screen 1's rows differ (8x1 cells): a two-screen dump
// refuses before any question, writing nothing.
TEST_F(ExportFlowTest, FilesOfOtherToolsAreWrittenExactlyOrRefusedBeforeAnything) {
  TMainForm& form = Start();
  Export(form, m_dir.File("pair.od1"), ExportFormat::TwoFile);
  EXPECT_EQ(ReadAll(m_dir.File("pair.od0")),
            std::string("\x80\0\0\0\0\0\0\0\x42\x38\0\0\0\0\0\0", 16));
  EXPECT_EQ(ReadAll(m_dir.File("pair.od1")),
            std::string("\x80\0\0\0\0\0\0\0\x01\0\0\0\0\0\0\0", 16));
  for (int row = 0; row < 8; ++row) form.Session().Screen().SetAttr(1, 0, row, 0x01);
  Export(form, m_dir.File("two"), ExportFormat::Scr2);
  // Pixel row 0 column 0 at 0; the cell's attribute at 6144; everything else 0.
  EXPECT_EQ(ReadAll(m_dir.File("two.scr")),
            "\x80" + std::string(6143, 0) + "\x01" + std::string(767, 0));
  WriteAll(m_dir.File("old.img"), "old");
  Export(form, m_dir.File("old.img"), ExportFormat::Img);
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown().back().text.toStdString(),
            "This picture has 8x1 cells; a two-screen dump holds 8x8 cells. None of these files "
            "holds it: keep it as .tin, or import the rendered picture again.");
  EXPECT_EQ(ReadAll(m_dir.File("old.img")), "old");
}

}  // namespace
}  // namespace tinto::test
