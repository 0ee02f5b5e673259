// Code pages of settings files: Windows-1250 from old Windows themes, UTF-8 from everything else.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <iconv.h>

#include "platform/settings/ini_file.h"
#include "platform/settings/text_codec.h"
#include "platform/settings/windows1250.h"
#include "tests/support/files.h"

using orvella::IniFile;
using orvella::testing::readFile;

namespace {

QString fixture(const char* name) {
  return QStringLiteral(ORVELLA_TEST_DATA "/settings/") + QString::fromLatin1(name);
}

class SettingsCodePages : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  QString copyOf(const char* name) {
    const QString target = dir_.filePath(QString::fromLatin1(name));
    QFile::copy(fixture(name), target);
    return target;
  }
};

}  // namespace

TEST_F(SettingsCodePages, Windows1250FileReadsPolishAndWritesBackByteIdentical) {
  const QString path = copyOf("polish_cp1250.ini");
  const QByteArray original = readFile(path);
  ASSERT_FALSE(original.isEmpty());
  IniFile ini(path);
  EXPECT_EQ(ini.readString("main", "name", QString()), QString::fromUtf8("Święta rodzinne"));
  EXPECT_EQ(ini.readString("main", "note", QString()), QString::fromUtf8("Zażółć gęślą jaźń"));
  EXPECT_EQ(ini.readString("1", "6", QString()), QString::fromUtf8("Trzech Króli\x1en"));
  EXPECT_EQ(ini.toBytes(), original);

  // Changing a value and putting it back leaves the very same bytes.
  ini.writeString("main", "name", QString::fromUtf8("Łódź"));
  ini.flush();
  EXPECT_EQ(readFile(path).count("\xA3\xF3"
                                "d\x9F"),
            1);  // "Łódź" in Windows-1250
  IniFile again(path);
  again.writeString("main", "name", QString::fromUtf8("Święta rodzinne"));
  again.flush();
  EXPECT_EQ(readFile(path), original);
}

TEST_F(SettingsCodePages, CharacterOutsideWindows1250TurnsTheWholeFileIntoUtf8) {
  const QString path = copyOf("polish_cp1250.ini");
  IniFile ini(path);
  ini.writeString("main", "lang", QString::fromUtf8("español"));
  ini.flush();
  const QByteArray bytes = readFile(path);
  EXPECT_TRUE(orvella::isValidUtf8(bytes));
  EXPECT_TRUE(bytes.contains("espa\xC3\xB1ol"));
  EXPECT_TRUE(bytes.contains("\xC5\x9Awi\xC4\x99ta"));  // the untouched line, now UTF-8 as well
  IniFile again(path);
  EXPECT_EQ(again.readString("main", "note", QString()), QString::fromUtf8("Zażółć gęślą jaźń"));
  EXPECT_EQ(again.readString("main", "lang", QString()), QString::fromUtf8("español"));
}

TEST_F(SettingsCodePages, Utf8FileKeepsItsEncodingAndByteOrderMark) {
  const QString path = copyOf("spanish_utf8_bom.ini");
  const QByteArray original = readFile(path);
  IniFile ini(path);
  EXPECT_EQ(ini.readString("main", "name", QString()), QString::fromUtf8("Fiesta en España"));
  EXPECT_EQ(ini.sections(), QStringList({"main"}));  // the byte-order mark is no part of the name
  ini.writeString("main", "lang", QString::fromUtf8("polski"));
  ini.flush();
  EXPECT_EQ(readFile(path), QByteArray(original).replace("espa\xC3\xB1ol", "polski"));
}

TEST_F(SettingsCodePages, PlainAsciiFileTakesPolishTextAsWindows1250) {
  IniFile ini = IniFile::fromBytes("[main]\r\nname=Default\r\n");
  ini.writeString("main", "name", QString::fromUtf8("Wielkanoc – święto"));
  EXPECT_EQ(ini.toBytes(), "[main]\r\nname=Wielkanoc \x96 \x9Cwi\xEAto\r\n");
}

TEST(TextCodec, Windows1250TableAgreesWithIconvAndKeepsUndefinedBytes) {
  iconv_t cd = iconv_open("UTF-8", "CP1250");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  int undefined = 0;
  for (int b = 0x80; b <= 0xFF; ++b) {
    char in[1] = {static_cast<char>(b)};
    char out[8];
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = 1, outLeft = sizeof out;
    const QString ours = orvella::windows1250::decode(QByteArrayView(in, 1));
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
      ++undefined;
      EXPECT_EQ(ours, QString(QChar(b))) << b;
    } else {
      EXPECT_EQ(ours, QString::fromUtf8(out, outPtr - out)) << b;
    }
    EXPECT_EQ(orvella::windows1250::encode(ours), QByteArray(in, 1)) << b;
  }
  iconv_close(cd);
  EXPECT_EQ(undefined, 5);
  EXPECT_FALSE(orvella::windows1250::fits(QString::fromUtf8("ñ")));
  EXPECT_EQ(orvella::windows1250::encode(QString::fromUtf8("añb")), "a?b");
}

TEST(TextCodec, OnlyStrictUtf8IsTakenForUtf8) {
  EXPECT_EQ(orvella::decodeText("\xB3\xF3"
                                "d\x9F"),
            QString::fromUtf8("łódź"));
  EXPECT_EQ(orvella::decodeText("\xC5\x82\xC3\xB3"
                                "d\xC5\xBA"),
            QString::fromUtf8("łódź"));
  EXPECT_EQ(orvella::decodeText("\xEF\xBB\xBFok"), "ok");
  // Overlong forms, surrogates, code points past U+10FFFF and cut sequences are not UTF-8.
  for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "ab\xC5"})
    EXPECT_FALSE(orvella::isValidUtf8(bad)) << bad;
  EXPECT_TRUE(orvella::isValidUtf8("\xF0\x9F\x8E\x84"));
  EXPECT_EQ(orvella::encodeText(QString::fromUtf8("żółw")), "\xBF\xF3\xB3w");
  EXPECT_EQ(orvella::encodeText(QString::fromUtf8("ñ")), "\xC3\xB1");
}

TEST(TextCodec, NamedCodePagesDecodeThroughIconv) {
  EXPECT_EQ(orvella::decodeTextAs("Espa\xF1"
                                  "a",
                                  "windows-1252"),
            QString::fromUtf8("España"));
  EXPECT_EQ(orvella::decodeTextAs("\xB9", "windows-1250"), QString::fromUtf8("ą"));
  EXPECT_EQ(orvella::decodeTextAs("\xB9", "CP1250"), QString::fromUtf8("ą"));
  // A byte that does not decode is replaced and the rest still comes through.
  EXPECT_EQ(orvella::decodeTextAs("a\xFF"
                                  "b",
                                  "UTF-8"),
            QString::fromUtf8("a\xEF\xBF\xBD"
                              "b"));
  // An unknown code page falls back to the settings-file rule.
  EXPECT_EQ(orvella::decodeTextAs("\xB9", "no-such-code-page"), QString::fromUtf8("ą"));
}

// Windows-1250 capitals followed by a letter of the upper half can form valid UTF-8 by chance
// ("ÓŁ" is D3 A3, which UTF-8 reads as a Cyrillic letter). Such text is Windows-1250: a letter of
// another script inside a word of Latin letters is no text anybody wrote.
TEST(TextCodec, ValidUtf8ThatMakesNoSenseIsReadAsWindows1250) {
  const QByteArray halfway = "[main]\r\nname=P\xD3\xA3METEK\r\nnote=KSI\xCA\xAFYC \xCA\xAF\r\n";
  const IniFile ini = IniFile::fromBytes(halfway);
  EXPECT_EQ(ini.readString("main", "name", QString()), QString::fromUtf8("PÓŁMETEK"));
  EXPECT_EQ(ini.readString("main", "note", QString()), QString::fromUtf8("KSIĘŻYC ĘŻ"));
  EXPECT_EQ(orvella::decodeText("P\xD3\xA3METEK.ini"), QString::fromUtf8("PÓŁMETEK.ini"));

  // Real UTF-8 of other scripts, and Latin letters of living languages beyond Latin-1, stay UTF-8.
  for (const char* utf8 : {"Zażółć gęślą jaźń", "Привет, мир", "Ελλάδα", "Științe și ţară", "Ærø Ğüç"}) {
    EXPECT_EQ(IniFile::fromBytes(QByteArray("[a]\r\nk=") + utf8).readString("a", "k", QString()),
              QString::fromUtf8(utf8))
        << utf8;
    EXPECT_EQ(orvella::decodeText(utf8), QString::fromUtf8(utf8)) << utf8;
  }
}

TEST_F(SettingsCodePages, WrittenUtf8HasAByteOrderMarkAndWhatFitsGoesBackToWindows1250) {
  // A theme of the original program keeps its bytes through a save that changes something else.
  IniFile old = IniFile::fromBytes("[main]\r\nname=P\xD3\xA3METEK\r\n");
  old.writeString("main", "version", "1.33");
  EXPECT_EQ(old.toBytes(), "[main]\r\nname=P\xD3\xA3METEK\r\nversion=1.33\r\n");

  // A UTF-8 file whose text fits Windows-1250 is saved in Windows-1250 like any other.
  IniFile utf8 = IniFile::fromBytes("[main]\r\nname=\xC5\x81\xC3\xB3\x64\xC5\xBA\r\n");
  utf8.writeString("main", "version", "1.33");
  EXPECT_EQ(utf8.toBytes(), "[main]\r\nname=\xA3\xF3\x64\x9F\r\nversion=1.33\r\n");

  // Text that needs UTF-8 is written with a byte-order mark, so it never depends on the guess.
  IniFile spanish = IniFile::fromBytes("[main]\r\nname=Default\r\n");
  spanish.writeString("main", "name", QString::fromUtf8("España"));
  EXPECT_EQ(spanish.toBytes(),
            "\xEF\xBB\xBF[main]\r\nname=Espa\xC3\xB1"
            "a\r\n");
  // Windows-1250 bytes that would read back as UTF-8 text ("Ä…" is C4 85, UTF-8 for "ą") are written
  // as UTF-8 after all.
  IniFile ambiguous = IniFile::fromBytes("[main]\r\nname=Default\r\n");
  ambiguous.writeString("main", "name", QString::fromUtf8("Ä…"));
  EXPECT_TRUE(ambiguous.toBytes().startsWith("\xEF\xBB\xBF"));
  EXPECT_EQ(IniFile::fromBytes(ambiguous.toBytes()).readString("main", "name", QString()),
            QString::fromUtf8("Ä…"));
  // A file nobody changed goes back out as it came in.
  EXPECT_EQ(IniFile::fromBytes("[main]\r\nname=\xC5\x81\r\n").toBytes(), "[main]\r\nname=\xC5\x81\r\n");
}
