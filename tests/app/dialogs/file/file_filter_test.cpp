#include "app/dialogs/file/file_filter.h"

#include "app/gui_test.h"

namespace {

QString L(const char* text) { return QString::fromLatin1(text); }

TEST(FileFilter, ParsesDescriptionAndMaskPairsInOrderAndMatchesEitherLetterCase) {
  const QList<FileFilterItem> items =
      ParseFileFilter(QStringLiteral("Tinto Files (*.tin)|*.tin|All files (*.*)|*.*|Lone"));
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0].description, QStringLiteral("Tinto Files (*.tin)"));
  EXPECT_EQ(items[1].masks, QStringLiteral("*.*"));
  EXPECT_EQ(items[2].description, QStringLiteral("Lone"));
  EXPECT_TRUE(items[2].masks.isEmpty());
  EXPECT_EQ(CaseInsensitiveMasks(QStringLiteral("*.jpg;;*.od?;*.*")),
            (QStringList{QStringLiteral("*.[jJ][pP][gG]"), QStringLiteral("*.[oO][dD]?"),
                         QStringLiteral("*.*")}));
}

TEST(FileFilter, QtFormWritesMasksInParenthesesWithStarDotStarAsStar) {
  const std::pair<const char*, const char*> cases[] = {
      {"Tinto Files (*.tin)|*.tin|All files (*.*)|*.*", "Tinto Files (*.tin);;All files (*)"},
      {"Skin Files (*.ini,*.ods)|*.ini;*.ods", "Skin Files (*.ini *.ods)"},
      {"", ""}};
  for (const auto& [filter, expected] : cases) EXPECT_EQ(QtNameFilters(L(filter)), L(expected));
}

// The filter text is the document filter of the Open command; ".od" occurs inside ".od0".
TEST(FileFilter, ExtensionFitsWhenItOccursInTheFilterText) {
  const QString filter = QStringLiteral(
      "Tinto Files (*.tin)|*.tin|Ondrel Files (*.od0;*.od1)|*.od0;*.od1|All files (*.*)|*.*");
  const std::pair<const char*, bool> cases[] = {
      {"frame.od1", true}, {"frame.od", true}, {"old.TIN", false}, {"noextension", false}};
  for (const auto& [name, fits] : cases) EXPECT_EQ(ExtensionFitsFilter(L(name), filter), fits);
}

TEST(FileFilter, TypedNameGetsTheLastMasksExtensionOnlyWithoutADot) {
  const std::array<const char*, 4> cases[] = {
      {"/pics", "/home/art/cat", "*.tin", "/home/art/cat.tin"},
      {"/pics/", "photo", "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf", "/pics/photo.wmf"},
      {"/docs", "photo", "*.od?", "/docs/photo.od?"},
      {"/", "photo", "*.tin", "/photo.tin"},
      {"/docs", "photo", "", "/docs/photo"}};
  for (const auto& [folder, typed, masks, expected] : cases)
    EXPECT_EQ(TypedNamePath(L(folder), L(typed), L(masks)), L(expected)) << folder << typed;
  EXPECT_EQ(NameWithoutFolder(QStringLiteral("/a.b/c/photo.jpg")), QStringLiteral("photo.jpg"));
  EXPECT_EQ(NameWithoutFolder(QStringLiteral("/a/")), QString());
}

}  // namespace
