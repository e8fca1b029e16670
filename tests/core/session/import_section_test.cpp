#include "core/session/import_section.h"

#include "support/temp_dir.h"
#include "support/test_common.h"

namespace tinto {
namespace {

// The section's keys in the file's order: the options' keys with the dialog's own between them,
// then "Method".
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

// Missing thresholds read as the options' defaults (the stored defaults would switch every
// channel off), other missing keys as their stored defaults; a key that does not parse reads as
// the stored default; numbers keep the file's rules (hexadecimal after 0x). Options without a
// key keep their value.
TEST(ImportSection, ReadsMissingAndDamagedKeysByTheirRules) {
  test::TempDir dir;
  const IniFile ini(dir.File("TintoEditor.ini"));
  ImportOptions start;
  start.DX = 7;
  start.Bright = true;
  ImportOptions missing = start;
  missing.Stretch = false;
  missing.MLTWidth = 32;
  EXPECT_EQ(ReadImportOptionKeys(ini, start), missing);
  test::WriteAll(ini.Path(),
                 "[import]\nlr=abc\nHR=\nHTH=0x20\nContrast=-3\nStretch=yes\nDither=0\n"
                 "Method=fancy\nDX=5\n");
  ImportOptions damaged = missing;
  damaged.LR = 256;
  damaged.HR = 270;
  damaged.HTH = 32;
  damaged.Contrast = -3;
  damaged.Dither = false;
  damaged.MLTWidth = 5;
  EXPECT_EQ(ReadImportOptionKeys(ini, start), damaged);
  test::WriteAll(ini.Path(), "[Import]\nMethod=perceptual\n");
  EXPECT_EQ(ReadImportOptionKeys(ini, start).Method, ImportMethod::Perceptual);
}

}  // namespace
}  // namespace tinto
