// Settings files from strangers: junk bytes, huge lines, duplicates, broken headers.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "platform/errors/error.h"
#include "platform/settings/ini_file.h"
#include "platform/settings/settings_file_bytes.h"
#include "platform/settings/text_codec.h"

using orvella::IniFile;

TEST(IniDamagedInput, UntouchedFileSerialisesToItsOwnBytes) {
  QRandomGenerator random(20240611);
  for (int round = 0; round < 200; ++round) {
    QByteArray bytes(static_cast<qsizetype>(random.bounded(600)), Qt::Uninitialized);
    // Mostly structure characters, so that headers and keys appear among the junk.
    static const char kPieces[] =
        "[]=;\r\n \t\"'\x1e\0\xEF\xBB\xBF\xB9\xC4\x85"
        "ab1";
    for (auto& b : bytes) b = kPieces[random.bounded(static_cast<int>(sizeof kPieces - 1))];
    const IniFile ini = IniFile::fromBytes(bytes);
    ASSERT_EQ(ini.toBytes(), bytes) << "round " << round;
    for (const QString& section : ini.sections())
      for (const QString& key : ini.keys(section)) ini.readString(section, key, QString());
  }
}

TEST(IniDamagedInput, NulAndBinaryBytesAreOrdinaryCharacters) {
  static const char kRaw[] = "[s]\r\nk=a\0b\r\n\x01\x02\xFF\xFE=junk\r\nafter=ok\r\n";
  const QByteArray bytes(kRaw, sizeof kRaw - 1);
  IniFile ini = IniFile::fromBytes(bytes);
  EXPECT_EQ(ini.readString("s", "k", QString()), QString::fromLatin1("a\0b", 3));
  EXPECT_EQ(ini.readString("s", "after", QString()), "ok");
  ini.writeString("s", "new", "1");
  const IniFile again = IniFile::fromBytes(ini.toBytes());
  EXPECT_EQ(again.readString("s", "k", QString()), QString::fromLatin1("a\0b", 3));
  EXPECT_EQ(again.readString("s", "new", QString()), "1");
  EXPECT_EQ(ini.toBytes(), bytes + "new=1\r\n");
}

TEST(IniDamagedInput, DuplicatesLetTheFirstCount) {
  IniFile ini = IniFile::fromBytes(
      "[main]\r\nname=first\r\nNAME=second\r\n"
      "[MAIN]\r\nname=third\r\nonly_here=x\r\n");
  EXPECT_EQ(ini.readString("main", "name", QString()), "first");
  EXPECT_FALSE(ini.hasKey("main", "only_here"));
  EXPECT_EQ(ini.sections(), QStringList({"main"}));
  EXPECT_EQ(ini.keys("main"), QStringList({"name"}));
  ini.writeString("main", "name", "updated");
  EXPECT_EQ(ini.toBytes(),
            "[main]\r\nname=updated\r\nNAME=second\r\n"
            "[MAIN]\r\nname=third\r\nonly_here=x\r\n");
}

TEST(IniDamagedInput, BrokenHeadersStillOpenSections) {
  const IniFile ini = IniFile::fromBytes("[unclosed\r\na=1\r\n  [ spaced ] trailing\r\nb=2\r\n[]\r\nc=3\r\n");
  EXPECT_EQ(ini.readString("unclosed", "a", QString()), "1");
  EXPECT_EQ(ini.readString("spaced", "b", QString()), "2");
  EXPECT_EQ(ini.readString("", "c", QString()), "3");
}

TEST(IniDamagedInput, MegabyteLinesAndManyKeysStayUsable) {
  QByteArray bytes = "[big]\r\nk=" + QByteArray(4 * 1024 * 1024, 'z') + "\r\n[many]\r\n";
  for (int i = 0; i < 50000; ++i)
    bytes += "k" + QByteArray::number(i % 1000) + "=" + QByteArray::number(i) + "\n";
  bytes += QByteArray(3 * 1024 * 1024, '[');  // one endless broken header, no line end
  IniFile ini = IniFile::fromBytes(bytes);
  EXPECT_EQ(ini.readString("big", "k", QString()).size(), 2047);
  EXPECT_EQ(ini.readString("many", "k999", QString()), "999");
  EXPECT_EQ(ini.keys("many").size(), 1000);
  for (int i = 0; i < 1000; ++i) ini.writeString("many", "new" + QString::number(i), "v");
  EXPECT_EQ(IniFile::fromBytes(ini.toBytes()).readString("many", "new999", QString()), "v");
}

TEST(IniDamagedInput, AFileLargerThanAnySettingsFileReadsAsEmpty) {
  // A tiny theme archive can restore a settings file of hundreds of megabytes; reading one must not
  // take gigabytes. A file that large is no settings file of ours.
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("huge.ini"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[1]\r\n1=a\r\n");
  const QByteArray lines = QByteArray("a=b\r\n").repeated(100000);
  while (file.size() <= 4 * 1024 * 1024) file.write(lines);
  file.close();
  const IniFile huge(path);
  EXPECT_TRUE(huge.sections().isEmpty());
  EXPECT_FALSE(huge.sectionHasKeys(QStringLiteral("1")));
  ASSERT_TRUE(file.resize(1024 * 1024));
  EXPECT_TRUE(IniFile(path).sectionHasKeys(QStringLiteral("1")));
}

// Files whose size the system does not know beforehand are read whole.
TEST(IniDamagedInput, AFileOfUnreportedSizeIsReadWhole) {
  const orvella::SettingsFileBytes read = orvella::readSettingsFileBytes(QStringLiteral("/proc/self/status"));
  EXPECT_EQ(read.state, orvella::SettingsFileBytes::Read);
  EXPECT_TRUE(read.bytes.startsWith("Name:")) << read.bytes.left(20).toStdString();
  EXPECT_TRUE(read.bytes.contains("\nPid:"));
}

// A pipe under a settings file's name would stop the reader until somebody writes into it. A reader
// that must have the file hears why it cannot, with the file's name.
TEST(IniDamagedInput, PipesFoldersAndHugeFilesAreRefusedByName) {
  QTemporaryDir dir;
  const QString pipe = dir.filePath(QStringLiteral("pipe.ini")), huge = dir.filePath(QStringLiteral("huge.hln"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  ASSERT_TRUE(QFile(huge).open(QIODevice::WriteOnly) && QFile::resize(huge, (4 << 20) + 1));
  for (const auto& [path, why] : {std::pair(pipe, "nie jest zwykłym"), std::pair(dir.path(), "nie jest zwykłym"),
                                  std::pair(huge, "jest za duży")}) {
    EXPECT_TRUE(IniFile(path).sections().isEmpty());
    try {
      IniFile::load(path);
      ADD_FAILURE() << path.toStdString() << " was read";
    } catch (const orvella::Error& e) {
      EXPECT_TRUE(e.message().contains(path + "” " + QString::fromUtf8(why))) << e.message().toStdString();
    }
  }
}

// A byte-order mark put before Windows-1250 text by mistake: the text is read as what it is.
TEST(IniDamagedInput, AByteOrderMarkBeforeBytesThatAreNoUtf8IsPassedOver) {
  const IniFile ini = IniFile::fromBytes("\xEF\xBB\xBF[main]\r\nname=Zo\xB3\r\n");
  EXPECT_TRUE(ini.hasSection(QStringLiteral("main")));
  EXPECT_EQ(ini.readString(QStringLiteral("main"), QStringLiteral("name"), QString()), QStringLiteral("Zoł"));
  EXPECT_EQ(ini.toBytes(), QByteArray("\xEF\xBB\xBF[main]\r\nname=Zo\xB3\r\n"));  // untouched, kept as it was
  EXPECT_EQ(orvella::decodeText("\xEF\xBB\xBFok\xB3"), QStringLiteral("okł"));
  EXPECT_EQ(orvella::decodeText("\xEF\xBB\xBF\xC5\x82"), QStringLiteral("ł"));
}
