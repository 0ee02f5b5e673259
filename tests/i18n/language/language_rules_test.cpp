// The interface languages without windows: the list, radio-group and grid rules, the code page of a
// language file, config.ini, the language choice, the messages a language file gives and the guide's
// pages of a language.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "i18n/language/guide_pages.h"
#include "i18n/language/ini_value.h"
#include "i18n/language/language_choice.h"
#include "i18n/language/language_file.h"
#include "i18n/language/language_messages.h"
#include "i18n/language/text_rules.h"
#include "platform/errors/error.h"
#include "platform/errors/message_texts.h"
#include "tests/dates/qstring_printer.h"
#include "tests/support/files.h"

using namespace orvella;
using namespace orvella::language;
using orvella::testing::readFile;
using orvella::testing::writeFile;

namespace {

const QStringList kFour{"Styczeń", "Luty", "Marzec", "Kwiecień"};

struct Cell {
  int column, row;
  QString text;
  friend bool operator==(const Cell&, const Cell&) = default;
};

std::vector<Cell> gridCells(const QString& value, int columns, int rows) {
  std::vector<Cell> cells;
  applyGridRule(value, columns, rows, [&](int c, int r, const QString& t) { cells.push_back({c, r, t}); });
  return cells;
}

}  // namespace

TEST(ListRule, ReplacesItemsInOrderAndNeverAddsOrRemovesAny) {
  EXPECT_EQ(applyListRule(kFour, "January\\nFebruary"), QStringList({"January", "February", "Marzec", "Kwiecień"}));
  EXPECT_EQ(applyListRule({"a", "b"}, "1\\n2\\n3\\n4\\n5"), QStringList({"1", "2"}));
  // A value without any separator replaces the first item only; a line break is no separator.
  EXPECT_EQ(applyListRule(kFour, "Enero\nFebrero"), QStringList({"Enero\nFebrero", "Luty", "Marzec", "Kwiecień"}));
  // An empty text between separators replaces; a trailing separator adds no empty text.
  EXPECT_EQ(applyListRule(kFour, "\\nB\\n"), QStringList({"", "B", "Marzec", "Kwiecień"}));
  EXPECT_EQ(applyListRule(kFour, ""), kFour);
}

TEST(ListRule, SelectionIsRememberedInOneByteAndFallsBackToTheFirstItem) {
  EXPECT_EQ(restoredIndex(rememberedIndex(3), 4), 3);
  EXPECT_EQ(restoredIndex(rememberedIndex(-1), 4), 0);  // no selection: the first item afterwards
  EXPECT_EQ(rememberedIndex(-1), 255);
  EXPECT_EQ(rememberedIndex(260), 4);  // modulo 256
  EXPECT_EQ(restoredIndex(rememberedIndex(4), 4), 4);  // not above the count is set again as it is
  EXPECT_EQ(restoredIndex(rememberedIndex(255), 300), 255);
}

TEST(RadioGroupRule, CaptionBeforeTheFirstColumnBreakThenTheItems) {
  const RadioGroupText both = splitRadioGroupValue("Size\\rSmall\\nLarge\\rX");
  EXPECT_EQ(both.caption, QString("Size"));
  EXPECT_EQ(both.items, "Small\\nLarge\\rX");
  const RadioGroupText itemsOnly = splitRadioGroupValue("Small\\nLarge");
  EXPECT_FALSE(itemsOnly.caption.has_value());
  EXPECT_EQ(itemsOnly.items, "Small\\nLarge");
  EXPECT_EQ(splitRadioGroupValue("\\r").caption, QString(""));
}

TEST(GridRule, ColumnsThenRowsOnlyNonEmptyCellsInsideTheGrid) {
  EXPECT_EQ(gridCells("a\\nb\\rc", 2, 10), (std::vector<Cell>{{0, 0, "a"}, {0, 1, "b"}, {1, 0, "c"}}));
  // An empty text leaves its cell alone; cells beyond the row or column count are not written.
  EXPECT_EQ(gridCells("\\nb\\r\\r\\rx", 2, 2), (std::vector<Cell>{{0, 1, "b"}}));
  EXPECT_EQ(gridCells("a\\nb\\nc", 1, 2), (std::vector<Cell>{{0, 0, "a"}, {0, 1, "b"}}));
  EXPECT_EQ(gridCells("Lp.\\r\\rignored", 2, 5), (std::vector<Cell>{{0, 0, "Lp."}}));
}

TEST(LanguageFileText, UnicodeOrTheCodePageThatCharsetNames) {
  // UTF-8, the shipped files: read as such whatever charset they name.
  EXPECT_EQ(LanguageFile::fromBytes("[main]\ncharset=0\n[f]\nl=Año Łódź\n").read("f", "l", ""), "Año Łódź");
  // A Spanish file saved in Windows-1252 by an old editor.
  const LanguageFile western = LanguageFile::fromBytes("[main]\r\ncharset=0\r\n[f_Main]\r\nl=A\xF1o\r\n");
  EXPECT_EQ(western.read("f_Main", "l", ""), "Año");
  EXPECT_EQ(western.charset(), 0);
  // Without a charset (or with one that is no number) the file is East European.
  EXPECT_EQ(LanguageFile::fromBytes("[f]\nl=Ko\xF1\n").read("f", "l", ""), "Koń");
  EXPECT_EQ(LanguageFile::fromBytes("[main]\ncharset=abc\n[f]\nl=Ko\xF1\n").charset(), 1);
  EXPECT_EQ(LanguageFile::fromBytes("[main]\ncharset=$CC\n[f]\nl=\xC4\xE0\n").read("f", "l", ""), "Да");
  EXPECT_EQ(LanguageFile::fromBytes("[main]\ncharset=161\n[f]\nl=\xCD\xE1\xE9\n").read("f", "l", ""), "Ναι");
  // "www" and "charset" fall back when the file has none; a missing file reads as empty.
  EXPECT_EQ(LanguageFile::fromBytes("").www(), "en");
  EXPECT_EQ(LanguageFile(QStringLiteral("/no/such/file.lng")).charset(), 1);
  EXPECT_EQ(LanguageFile::fromBytes("[MAIN]\nWWW = \"es\" \n").www(), "es");
}

// Windows-1250 capitals can happen to be valid UTF-8 ("ÓŁ" is D3 A3, a Cyrillic letter in UTF-8): a
// file is UTF-8 only when it reads as text, or after a byte-order mark that valid UTF-8 follows.
TEST(LanguageFileText, Windows1250ThatHappensToBeValidUtf8KeepsItsCodePage) {
  auto text = [](const char* bytes) { return LanguageFile::fromBytes(bytes).read("f", "l", ""); };
  EXPECT_EQ(text("[main]\ncharset=238\n[f]\nl=P\xD3\xA3METEK M\xCA\xAF\x43ZYZN\n"), "PÓŁMETEK MĘŻCZYZN");
  EXPECT_EQ(text("\xEF\xBB\xBF[main]\ncharset=0\n[f]\nl=A\xF1o\n"), "Año");
  EXPECT_EQ(text("\xEF\xBB\xBF[f]\nl=\xC5\x81\xC3\xB3" "d\xC5\xBA\n"), "Łódź");
}

// A file without the main window's section (empty, cut short, binary) cannot be applied, lest the
// menus lose their captions; one too large says so, with its name.
TEST(LanguageFileText, AFileWithoutTheMainWindowsSectionCannotBeApplied) {
  for (const QByteArray& bytes : {QByteArray(), QByteArray("[main]\nwww=en\n[f_Ma"), QByteArray(300, '\x01')})
    EXPECT_FALSE(LanguageFile::fromBytes(bytes).usable());
  EXPECT_TRUE(LanguageFile::fromBytes("[F_MAIN]\n").usable());
  QTemporaryDir dir;
  ASSERT_TRUE(writeFile(dir.filePath("huge.lng"), "[f_Main]\n" + QByteArray(5 << 20, ';')));
  EXPECT_TRUE(LanguageFile(dir.filePath("huge.lng")).problem().contains("huge.lng” jest za duży"));
}

TEST(IniValue, ReadsWithADefaultWritesAtOnceAndIgnoresOtherModes) {
  QTemporaryDir dir;
  const QString path = dir.filePath("some.ini");
  QString result = "untouched";
  ini_value(path, "main", "lang", result, 'r', "none");
  EXPECT_EQ(result, "none");
  ini_value(path, "main", "lang", result, 'x', "english");
  ini_value(path, "main", "lang", result, 'R', "english");
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_EQ(result, "none");
  ini_value(path, "main", "lang", result, 'w', "espanol");
  EXPECT_EQ(result, "none");
  EXPECT_EQ(readFile(path), "[main]\r\nlang=espanol\r\n");
  ini_value(path, "MAIN", "Lang", result, 'r', "none");
  EXPECT_EQ(result, "espanol");
  // A file that cannot be written says so with its path.
  writeFile(dir.filePath("file"), "x");
  const QString impossible = dir.filePath("file/config.ini");
  try {
    ini_value(impossible, "main", "lang", result, 'w', "polski");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Unable to write to " + impossible);
  }
}

TEST(ConfigFile, RemembersTheLanguageInMainLangAndNothingElse) {
  QTemporaryDir dir;
  const QString config = dir.filePath("config.ini");
  EXPECT_EQ(rememberedLanguage(config), "none");
  EXPECT_FALSE(QFile::exists(config));  // reading never creates it
  writeFile(config, "[other]\nlang=polski\n");
  EXPECT_EQ(rememberedLanguage(config), "none");
  rememberLanguage(config, "espanol");
  EXPECT_EQ(rememberedLanguage(config), "espanol");
  EXPECT_EQ(readFile(config), "[other]\nlang=polski\n[main]\r\nlang=espanol\r\n");
  // The user's configuration folder of an installed copy is made when it is missing.
  const QString nested = dir.filePath("user/orvella/config.ini");
  rememberLanguage(nested, "polski");
  EXPECT_EQ(readFile(nested), "[main]\r\nlang=polski\r\n");
}

TEST(LanguageChoice, SystemLanguageByItsLowByteAndTheFileBesideTheProgram) {
  EXPECT_EQ(languageOfSystem(0x0C0A), "espanol");  // Spanish of Spain, modern sort
  EXPECT_EQ(languageOfSystem(0x0415), "polski");
  EXPECT_EQ(languageOfSystem(0x0407), "english");
  EXPECT_EQ(languageFilePath("/opt/orvella", "espanol"), "/opt/orvella/lang/espanol.lng");
  EXPECT_EQ(qtCatalogLanguage("espanol"), "es");
  EXPECT_EQ(qtCatalogLanguage("polski"), "pl");
  EXPECT_EQ(qtCatalogLanguage("english"), "");
}

TEST(LanguageMessages, TheAppliedFileGivesTheTextsItNamesTheRestStayBuiltIn) {
  static constexpr MessageText kNamed{"msg_Named", "Wbudowany"};
  static constexpr MessageText kUnnamed{"msg_Unnamed", "Też wbudowany"};
  useMessagesOf(std::make_shared<const LanguageFile>(
      LanguageFile::fromBytes("[messages]\nMSG_NAMED=Built in\n[h]\nmsg_Unnamed=not a message\n")));
  EXPECT_EQ(messageText(kNamed), "Built in");
  EXPECT_EQ(messageText(kUnnamed), "Też wbudowany");
  setMessageTextSource({});
  EXPECT_EQ(messageText(kNamed), "Wbudowany");
}

TEST(GuidePages, TheLanguagesOwnGuideElsePolishBeforeAnyLanguageElseEnglish) {
  QTemporaryDir guide;
  for (const char* page : {"en/index.html", "es/index.html", "pl/index.html"}) writeFile(guide.filePath(QLatin1String(page)));
  const struct {
    QString www, folder;
  } cases[] = {{"es", "es"}, {"", "pl"}, {"de", "en"}, {"../es", "en"}, {"es/../en", "en"}};
  for (const auto& c : cases)
    EXPECT_EQ(guideContents(guide.path(), c.www), guide.filePath(c.folder + "/index.html")) << c.www.toStdString();
}
