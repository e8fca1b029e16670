#include <QComboBox>

#include "app/dialogs/import/import_expert_fixture.h"

namespace tinto::test {
namespace {

TEST_F(ImportExpertTest, MethodChoiceConvertsAgainAndClassicComesBackUnchanged) {
  TImportExpert& expert = CreateShown();
  QComboBox* method = expert.Method();
  EXPECT_FALSE(method->isEnabled());
  expert.OpenSourceFile(WritePicture("p.png", 64, 48));
  ASSERT_TRUE(method->isEnabled());
  ASSERT_EQ(method->count(), 2);
  EXPECT_EQ(method->currentText(), "Classic");
  EXPECT_EQ(method->itemText(1), "Perceptual");
  const ImportResult classic = expert.Result();
  method->setCurrentIndex(1);
  EXPECT_NE(expert.Result().attrs, classic.attrs);
  method->setCurrentIndex(0);
  EXPECT_EQ(expert.Result().pixels, classic.pixels);
  EXPECT_EQ(expert.Result().attrs, classic.attrs);
}

}  // namespace
}  // namespace tinto::test
