#include "app/dialogs/file/file_filter.h"

#include <gtest/gtest.h>

namespace {

TEST(FileFilter, ParsesDescriptionAndMaskPairsInOrder) {
  const QList<FileFilterItem> items =
      ParseFileFilter(QStringLiteral("Tinto Files (*.tin)|*.tin|All files (*.*)|*.*|Lone"));
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0].description, QStringLiteral("Tinto Files (*.tin)"));
  EXPECT_EQ(items[0].masks, QStringLiteral("*.tin"));
  EXPECT_EQ(items[1].masks, QStringLiteral("*.*"));
  EXPECT_EQ(items[2].description, QStringLiteral("Lone"));
  EXPECT_TRUE(items[2].masks.isEmpty());
  EXPECT_TRUE(ParseFileFilter(QString()).isEmpty());
}

TEST(FileFilter, MasksMatchEitherLetterCase) {
  EXPECT_EQ(CaseInsensitiveMasks(QStringLiteral("*.jpg;;*.od?;*.*")),
            (QStringList{QStringLiteral("*.[jJ][pP][gG]"), QStringLiteral("*.[oO][dD]?"),
                         QStringLiteral("*.*")}));
}

struct QtFilterCase {
  const char* filter;
  const char* expected;
};

void PrintTo(const QtFilterCase& c, std::ostream* os) { *os << c.filter; }

class FileFilterQtForm : public ::testing::TestWithParam<QtFilterCase> {};

TEST_P(FileFilterQtForm, WritesMasksInParenthesesWithStarDotStarAsStar) {
  EXPECT_EQ(QtNameFilters(QString::fromLatin1(GetParam().filter)),
            QString::fromLatin1(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    FileFilter, FileFilterQtForm,
    ::testing::Values(QtFilterCase{"Tinto Files (*.tin)|*.tin|All files (*.*)|*.*",
                                   "Tinto Files (*.tin);;All files (*)"},
                      QtFilterCase{"Skin Files (*.ini,*.ods)|*.ini;*.ods",
                                   "Skin Files (*.ini *.ods)"},
                      QtFilterCase{"Pictures|*.bmp;*.ico", "Pictures (*.bmp *.ico)"},
                      QtFilterCase{"", ""}));

struct ExtensionCase {
  const char* name;
  bool fits;
};

void PrintTo(const ExtensionCase& c, std::ostream* os) { *os << c.name; }

class FileFilterExtension : public ::testing::TestWithParam<ExtensionCase> {};

// The filter text is the document filter of the Open command.
TEST_P(FileFilterExtension, FitsWhenTheExtensionOccursInTheFilterText) {
  const QString filter = QStringLiteral(
      "Tinto Files (*.tin)|*.tin|Ondrel Files (*.od0;*.od1)|*.od0;*.od1|All files (*.*)|*.*");
  EXPECT_EQ(ExtensionFitsFilter(QString::fromLatin1(GetParam().name), filter), GetParam().fits);
}

INSTANTIATE_TEST_SUITE_P(FileFilter, FileFilterExtension,
                         ::testing::Values(ExtensionCase{"frame.od1", true},
                                           // ".od" occurs inside ".od0".
                                           ExtensionCase{"frame.od", true},
                                           ExtensionCase{"old.TIN", false},
                                           ExtensionCase{"photo.bmp", false},
                                           ExtensionCase{"noextension", false}));

struct TypedCase {
  const char* folder;
  const char* typed;
  const char* masks;
  const char* expected;
};

void PrintTo(const TypedCase& c, std::ostream* os) { *os << c.folder << " " << c.typed; }

class FileFilterTypedName : public ::testing::TestWithParam<TypedCase> {};

TEST_P(FileFilterTypedName, AddsTheLastMasksExtensionOnlyToAPathWithoutDot) {
  const TypedCase& c = GetParam();
  EXPECT_EQ(TypedNamePath(QString::fromLatin1(c.folder), QString::fromLatin1(c.typed),
                          QString::fromLatin1(c.masks)),
            QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    FileFilter, FileFilterTypedName,
    ::testing::Values(TypedCase{"/pics", "/home/art/cat", "*.tin", "/home/art/cat.tin"},
                      TypedCase{"/pics/", "photo", "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf",
                                "/pics/photo.wmf"},
                      TypedCase{"/docs", "photo", "*.od?", "/docs/photo.od?"},
                      TypedCase{"/", "photo", "*.tin", "/photo.tin"},
                      TypedCase{"/docs", "photo", "", "/docs/photo"}));

TEST(FileFilter, NameWithoutFolderIsTheTextAfterTheLastSlash) {
  EXPECT_EQ(NameWithoutFolder(QStringLiteral("/a.b/c/photo.jpg")), QStringLiteral("photo.jpg"));
  EXPECT_EQ(NameWithoutFolder(QStringLiteral("photo")), QStringLiteral("photo"));
  EXPECT_EQ(NameWithoutFolder(QStringLiteral("/a/")), QString());
}

}  // namespace
