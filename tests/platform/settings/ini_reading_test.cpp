// Reading settings files with the rules of the Windows profile-string functions.
#include <gtest/gtest.h>

#include "platform/settings/ini_file.h"

using orvella::IniFile;

namespace {

IniFile parse(const char* text) { return IniFile::fromBytes(QByteArray(text)); }

const QString kNone = QStringLiteral("<none>");

}  // namespace

TEST(IniReading, SectionAndKeyNamesIgnoreCaseAndSurroundingBlanks) {
  const IniFile ini = parse("[Font_Holiday]\r\n  Name =  Arial  \r\n[ main ]\r\nVERSION=1.33\r\n");
  EXPECT_EQ(ini.readString("font_holiday", "name", kNone), "Arial");
  EXPECT_EQ(ini.readString("FONT_HOLIDAY", "NAME", kNone), "Arial");
  EXPECT_EQ(ini.readString("main", "version", kNone), "1.33");
  EXPECT_TRUE(ini.hasSection("MAIN"));
  EXPECT_EQ(ini.sections(), QStringList({"Font_Holiday", "main"}));
  EXPECT_EQ(ini.keys("font_holiday"), QStringList({"Name"}));
}

TEST(IniReading, ValuesLoseBlanksAndOneMatchingPairOfQuotes) {
  const IniFile ini = parse(
      "[s]\n"
      "double=\"  quoted  \"\n"
      "single= 'x' \n"
      "mixed=\"x'\n"
      "lone=\"\n"
      "inner=a \"b\" c\n"
      "tab=\tvalue\t\n"
      "nested=\"'x'\"\n");
  EXPECT_EQ(ini.readString("s", "double", kNone), "  quoted  ");
  EXPECT_EQ(ini.readString("s", "single", kNone), "x");
  EXPECT_EQ(ini.readString("s", "mixed", kNone), "\"x'");
  EXPECT_EQ(ini.readString("s", "lone", kNone), "\"");
  EXPECT_EQ(ini.readString("s", "inner", kNone), "a \"b\" c");
  EXPECT_EQ(ini.readString("s", "tab", kNone), "value");
  EXPECT_EQ(ini.readString("s", "nested", kNone), "'x'");
}

TEST(IniReading, MissingKeyGivesDefaultButEmptyValueIsRead) {
  const IniFile ini = parse("[3]\r\n8=\r\n");
  EXPECT_EQ(ini.readString("3", "8", kNone), "");
  EXPECT_TRUE(ini.hasKey("3", "8"));
  EXPECT_EQ(ini.readString("3", "9", kNone), kNone);
  EXPECT_EQ(ini.readString("4", "8", kNone), kNone);
  EXPECT_FALSE(ini.hasKey("3", "9"));
}

TEST(IniReading, ValueIsCutAfter2047Characters) {
  const QByteArray longValue(5000, 'x');
  const IniFile ini = IniFile::fromBytes("[s]\r\nk=" + longValue + "\r\nnext=1\r\n");
  EXPECT_EQ(ini.readString("s", "k", kNone), QString(2047, QLatin1Char('x')));
  EXPECT_EQ(ini.readString("s", "next", kNone), "1");

  const IniFile exact = IniFile::fromBytes("[s]\r\nk=" + QByteArray(2047, 'y') + "\r\n");
  EXPECT_EQ(exact.readString("s", "k", kNone).size(), 2047);
}

TEST(IniReading, KeysCompareAsTextNotAsNumbers) {
  const IniFile ini = parse("[1]\r\n05=leading zero\r\n[01]\r\n5=other section\r\n");
  EXPECT_FALSE(ini.hasKey("1", "5"));
  EXPECT_EQ(ini.readString("1", "05", kNone), "leading zero");
  EXPECT_EQ(ini.readString("01", "5", kNone), "other section");
}

TEST(IniReading, IntegersAreDecimalOrHexadecimal) {
  const IniFile ini = parse(
      "[n]\n"
      "dec=46\n"
      "neg=-12\n"
      "plus=+7\n"
      "dollar=$FF\n"
      "hex=0x1f\n"
      "HEX=0X1F\n"
      "quoted=\"10\"\n"
      "full=$FFFFFFFF\n"
      "word=abc\n"
      "trailing=12abc\n"
      "empty=\n"
      "bare$=$\n"
      "huge=99999999999\n"
      "hugehex=$100000000\n"
      "min=-2147483648\n");
  EXPECT_EQ(ini.readInteger("n", "dec", -1), 46);
  EXPECT_EQ(ini.readInteger("n", "neg", -1), -12);
  EXPECT_EQ(ini.readInteger("n", "plus", -1), 7);
  EXPECT_EQ(ini.readInteger("n", "dollar", -1), 255);
  EXPECT_EQ(ini.readInteger("n", "hex", -1), 31);
  EXPECT_EQ(ini.readInteger("n", "quoted", -1), 10);
  EXPECT_EQ(ini.readInteger("n", "full", 0), -1);
  EXPECT_EQ(ini.readInteger("n", "min", 0), -2147483647 - 1);
  for (const char* bad : {"word", "trailing", "empty", "bare$", "huge", "hugehex", "missing"})
    EXPECT_EQ(ini.readInteger("n", bad, 77), 77) << bad;
}

TEST(IniReading, BooleansAreNumbersOtherThanZero) {
  const IniFile ini = parse("[b]\r\none=1\r\nzero=0\r\ntwo=2\r\nminus=-1\r\nword=true\r\nhex=$0\r\n");
  EXPECT_TRUE(ini.readBool("b", "one", false));
  EXPECT_FALSE(ini.readBool("b", "zero", true));
  EXPECT_TRUE(ini.readBool("b", "two", false));
  EXPECT_TRUE(ini.readBool("b", "minus", false));
  EXPECT_FALSE(ini.readBool("b", "hex", true));
  EXPECT_TRUE(ini.readBool("b", "word", true));
  EXPECT_FALSE(ini.readBool("b", "word", false));
  EXPECT_TRUE(ini.readBool("b", "missing", true));
}

TEST(IniReading, CommentsLinesWithoutEqualsAndLinesBeforeTheFirstSectionAreNoKeys) {
  const IniFile ini = parse(
      "orphan=1\n"
      "[s]\n"
      "; note=2\n"
      "just text\n"
      "=no name\n"
      "real=3\n");
  EXPECT_FALSE(ini.hasKey("s", "orphan"));
  EXPECT_FALSE(ini.hasKey("s", "; note"));
  EXPECT_FALSE(ini.hasKey("s", "just text"));
  EXPECT_EQ(ini.keys("s"), QStringList({"real"}));
  EXPECT_TRUE(ini.sectionHasKeys("s"));
}

TEST(IniReading, CrLfAndLfReadTheSame) {
  const IniFile crlf = parse("[a]\r\nk=v\r\n[b]\r\nk=w\r\n");
  const IniFile lf = parse("[a]\nk=v\n[b]\nk=w");
  for (const IniFile* ini : {&crlf, &lf}) {
    EXPECT_EQ(ini->readString("a", "k", kNone), "v");
    EXPECT_EQ(ini->readString("b", "k", kNone), "w");
  }
}

TEST(IniReading, EmptySectionIsPresentButHasNoKeys) {
  const IniFile ini = parse("[1]\r\n\r\n; nothing here\r\n[2]\r\nx=1\r\n");
  EXPECT_TRUE(ini.hasSection("1"));
  EXPECT_FALSE(ini.sectionHasKeys("1"));
  EXPECT_TRUE(ini.sectionHasKeys("2"));
  EXPECT_FALSE(ini.sectionHasKeys("3"));

  const IniFile missing(QStringLiteral("/nonexistent/folder/holidays.ini"));
  EXPECT_TRUE(missing.sections().isEmpty());
}
