#include "core/model/document.h"

#include "support/test_common.h"

namespace tinto {
namespace {

class DocumentTest : public ::testing::Test {
 protected:
  std::string Title(const char* name) { return std::string("Tinto Editor - [") + name + "]"; }

  std::string workingDirectory = "/home/artist/work";
  Document document{[this] { return workingDirectory; }};
};

// The task bar's title never has the "*"; a new name keeps the mark.
TEST_F(DocumentTest, ModifiedFlagMarksTheCaption) {
  const std::string untitled = Title("/home/artist/work/Untitled.tin");
  EXPECT_EQ(document.WindowCaption(), untitled);
  EXPECT_FALSE(document.Modified());
  document.SetModified(true);
  EXPECT_EQ(document.WindowCaption(), untitled + "*");
  EXPECT_EQ(document.ApplicationTitle(), untitled);
  document.SetFileName("/pics/cat.tin");
  EXPECT_EQ(document.WindowCaption(), Title("/pics/cat.tin") + "*");
  EXPECT_EQ(document.ApplicationTitle(), Title("/pics/cat.tin"));
  document.SetModified(false);
  EXPECT_EQ(document.WindowCaption(), Title("/pics/cat.tin"));
}

// Working directory, name -> stored name; the extension is added only when the file name itself
// has no dot.
TEST_F(DocumentTest, NamesAreStoredAbsoluteAndLexicallyNormal) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"/home/artist/work", "pic.tin", "/home/artist/work/pic.tin"},
      {"/", "pic.tin", "/pic.tin"},
      {"/data/", "a.tin", "/data/a.tin"},
      {"/home/artist/work", "pics/cat.tin", "/home/artist/work/pics/cat.tin"},
      {"/home/artist/work", "app/../../x.tin", "/home/artist/x.tin"},
      {"/elsewhere", "/a/./b//c.tin", "/a/b/c.tin"}};
  for (auto [directory, name, stored] : cases) {
    workingDirectory = directory;
    document.SetFileName(name);
    EXPECT_EQ(document.FileName(), stored) << name;
  }
  const std::pair<const char*, const char*> typed[] = {
      {"pic", "pic.tin"},
      {"pic.scr", "pic.scr"},
      {"/a.b/c.d/e.", "/a.b/c.d/e."},
      {"/home/my.pictures/cat", "/home/my.pictures/cat.tin"}};
  for (auto [name, saved] : typed) EXPECT_EQ(WithTintoExtension(name), saved) << name;
}

}  // namespace
}  // namespace tinto
