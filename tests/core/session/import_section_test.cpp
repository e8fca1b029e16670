#include "core/session/import_section.h"

#include "support/temp_dir.h"
#include "support/test_common.h"

namespace tinto {
namespace {

// The section's keys in the file's order: the options' keys with the dialog's own between them,
// then "Method"; they read back as written. (The rules for missing and damaged keys are tested
// through the dialog, which clamps what it reads.)
TEST(ImportSection, WritesTheOptionsAndTheDialogKeysInTheFilesOrder) {
  test::TempDir dir;
  IniFile ini(dir.File("TintoEditor.ini"));
  ImportOptions options;
  options.Stretch = false;
  options.Method = ImportMethod::Perceptual;
  const DialogKey dialogKeys[] = {
      {&setting::kImportLowLink, 8, 1},   {&setting::kImportHiLink, 9, 0},
      {&setting::kImportRealTime, 10, 1}, {&setting::kImportMagnify, 14, 3},
      {&setting::kImportLeft, 17, 10},    {&setting::kImportTop, 18, 20},
      {&setting::kImportWidth, 19, 800},  {&setting::kImportHeight, 20, 600},
  };
  ASSERT_TRUE(WriteImportSection(ini, options, dialogKeys));
  EXPECT_EQ(test::ReadAll(ini.Path()),
            "[Import]\nLR=96\nLG=96\nLB=96\nHTH=128\nContrast=2\nHR=160\nHG=160\nHB=160\n"
            "Low Link=1\nHi Link=0\nRealTime=1\nStretch=0\nDX=18\nDY=192\nMagnify=3\n"
            "Dither=1\nTinto 8x2=0\nLeft=10\nTop=20\nWidth=800\nHeight=600\nMethod=Perceptual\n");
  EXPECT_EQ(ReadImportOptionKeys(ini, ImportOptions{}), options);
}

}  // namespace
}  // namespace tinto
