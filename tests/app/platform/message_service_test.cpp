#include "app/platform/message_service.h"

#include "app/gui_test.h"

namespace {

TEST(MessageService, LineFeedCarriageReturnBreaksOneLine) {
  EXPECT_EQ(MessageDisplayText("File a.tin not saved.\n\rSave Changes?"),
            "File a.tin not saved.\nSave Changes?");
  EXPECT_EQ(MessageDisplayText("one\n\rtwo\n\rthree"), "one\ntwo\nthree");
  EXPECT_EQ(MessageDisplayText("no break"), "no break");
  // Only the pair in the program's order counts.
  EXPECT_EQ(MessageDisplayText("a\r\nb"), "a\r\nb");
}

}  // namespace
