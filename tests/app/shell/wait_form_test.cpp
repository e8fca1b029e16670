#include "app/shell/wait_form.h"

#include <gtest/gtest.h>

#include <QLabel>

namespace {

TEST(WaitForm, MessageIsCentredInTheSmallWindow) {
  TWait wait;
  EXPECT_EQ(wait.size(), QSize(174, 47));
  for (const char* text : {kWaitLoadingText, kWaitSkinText}) {
    wait.SetMessage(QString::fromLatin1(text));
    wait.ShowAndPaint();
    EXPECT_EQ(wait.Mess()->x(), (174 - wait.Mess()->width()) / 2) << text;
    EXPECT_EQ(wait.Message(), QString::fromLatin1(text));
    wait.hide();
  }
}

}  // namespace
