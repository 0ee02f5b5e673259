// Writing settings files: what key-by-key profile-string writes leave in the file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/errors/error.h"
#include "platform/settings/ini_file.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/files.h"

using orvella::IniFile;
using orvella::testing::readFile;
using orvella::testing::writeFile;

namespace {

class IniWriting : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  QString path(const char* name = "holidays.ini") const { return dir_.filePath(QString::fromLatin1(name)); }
};

}  // namespace

TEST_F(IniWriting, ReplacingAValueKeepsEveryOtherLineByteForByte) {
  const QByteArray before =
      "; hand-written notes\n"
      "[main]\n"
      "  name =  Old  \n"
      "unknown=keep me\r\n"
      "\n"
      "[font_holiday]\r\n"
      "size=46\r\n";
  IniFile ini = IniFile::fromBytes(before);
  ini.writeString("MAIN", "Name", "New");
  EXPECT_EQ(ini.toBytes(),
            "; hand-written notes\n"
            "[main]\n"
            "Name=New\n"
            "unknown=keep me\r\n"
            "\n"
            "[font_holiday]\r\n"
            "size=46\r\n");
  EXPECT_EQ(ini.readString("main", "name", ""), "New");
}

TEST_F(IniWriting, NewKeyGoesAfterTheLastKeyOfItsSection) {
  IniFile ini = IniFile::fromBytes(
      "[1]\r\n"
      "1=a\r\n"
      "; between keys\r\n"
      "2=b\r\n"
      "\r\n"
      "; about section 2\r\n"
      "[2]\r\n"
      "x=1\r\n");
  ini.writeString("1", "3", "c");
  ini.writeString("1", "4", "d");
  EXPECT_EQ(ini.toBytes(),
            "[1]\r\n"
            "1=a\r\n"
            "; between keys\r\n"
            "2=b\r\n"
            "3=c\r\n"
            "4=d\r\n"
            "\r\n"
            "; about section 2\r\n"
            "[2]\r\n"
            "x=1\r\n");
}

TEST_F(IniWriting, NewKeyInASectionWithoutKeysFollowsTheHeader) {
  IniFile ini = IniFile::fromBytes("[1]\r\n; empty month\r\n[2]\r\n");
  ini.writeString("1", "bg", "x.jpg");
  ini.writeString("2", "bg", "y.jpg");
  EXPECT_EQ(ini.toBytes(), "[1]\r\nbg=x.jpg\r\n; empty month\r\n[2]\r\nbg=y.jpg\r\n");
}

TEST_F(IniWriting, MissingSectionIsAppendedAtTheEnd) {
  IniFile ini = IniFile::fromBytes("[main]\nname=x");  // no final line end
  ini.writeString("font_weekday", "size", "46");
  ini.writeInteger("font_weekday", "color", -1);
  ini.writeBool("font_weekday", "style_bold", true);
  ini.writeBool("font_weekday", "style_italic", false);
  EXPECT_EQ(ini.toBytes(),
            "[main]\nname=x\r\n"
            "[font_weekday]\r\nsize=46\r\ncolor=-1\r\nstyle_bold=1\r\nstyle_italic=0\r\n");

  IniFile empty = IniFile::fromBytes(QByteArray());
  empty.writeString("main", "lang", "english");
  EXPECT_EQ(empty.toBytes(), "[main]\r\nlang=english\r\n");
}

TEST_F(IniWriting, ErasedSectionGoesWithItsLinesAndComesBackAtTheEnd) {
  IniFile ini = IniFile::fromBytes(
      "[1]\r\n1=a\r\n\r\n"
      "[font]\r\nname=Arial\r\n"
      "[1]\r\n9=stale duplicate\r\n"
      "[main]\r\nname=x\r\n");
  ini.eraseSection("1");
  EXPECT_FALSE(ini.hasSection("1"));
  EXPECT_EQ(ini.toBytes(), "[font]\r\nname=Arial\r\n[main]\r\nname=x\r\n");
  ini.writeString("1", "2", "b");
  EXPECT_EQ(ini.toBytes(), "[font]\r\nname=Arial\r\n[main]\r\nname=x\r\n[1]\r\n2=b\r\n");
  EXPECT_FALSE(ini.hasKey("1", "9"));
  EXPECT_EQ(ini.sections(), QStringList({"font", "main", "1"}));
}

TEST_F(IniWriting, WritesOnlyReachTheDiskOnFlush) {
  IniFile ini(path());
  ini.writeString("main", "name", "Default");
  EXPECT_TRUE(ini.isDirty());
  EXPECT_FALSE(QFile::exists(path()));
  ini.flush();
  EXPECT_FALSE(ini.isDirty());
  EXPECT_EQ(readFile(path()), "[main]\r\nname=Default\r\n");

  // Writing what is already there changes nothing.
  ini.writeString("main", "name", "Default");
  EXPECT_FALSE(ini.isDirty());

  // The flushed state is what later writes build on.
  ini.writeString("main", "version", "1.33");
  ini.flush();
  EXPECT_EQ(IniFile(path()).toBytes(), "[main]\r\nname=Default\r\nversion=1.33\r\n");
}

TEST_F(IniWriting, KeyByKeyWritesGiveTheSameFileAsTheyWouldOneByOne) {
  // Each write flushed at once, as the profile functions do, must match one flush at the end.
  const QByteArray start = "[main]\r\nname=x\r\n; c\r\n\r\n[2]\r\n1=a\r\n";
  writeFile(path("one.ini"), start);
  writeFile(path("many.ini"), start);
  IniFile once(path("one.ini"));
  auto steps = [](IniFile& ini, bool flushEach) {
    auto step = [&](auto&& action) {
      action();
      if (flushEach) ini.flush();
    };
    step([&] { ini.eraseSection("1"); });
    step([&] { ini.writeString("1", "1", "Nowy Rok"); });
    step([&] { ini.eraseSection("2"); });
    step([&] { ini.writeString("2", "14", "Walentynki"); });
    step([&] { ini.writeString("main", "version", "1.33"); });
    step([&] { ini.writeString("main", "name", "y"); });
  };
  steps(once, false);
  once.flush();
  IniFile each(path("many.ini"));
  steps(each, true);
  EXPECT_EQ(readFile(path("one.ini")), readFile(path("many.ini")));
  EXPECT_EQ(readFile(path("one.ini")),
            "[main]\r\nname=y\r\nversion=1.33\r\n; c\r\n\r\n[1]\r\n1=Nowy Rok\r\n[2]\r\n14=Walentynki\r\n");
}

TEST_F(IniWriting, UnwritableNamesAndLineBreaksCannotBreakTheFile) {
  IniFile ini = IniFile::fromBytes("[s]\r\nk=v\r\n");
  ini.writeString("s", "", "x");
  ini.writeString("s", "a=b", "x");
  ini.writeString("s", ";c", "x");
  ini.writeString("x]y", "k", "x");
  ini.writeString("", "k", "x");
  EXPECT_FALSE(ini.isDirty());
  ini.writeString("s", "k", "line one\r\n[injected]\nk=2");
  EXPECT_FALSE(IniFile::fromBytes(ini.toBytes()).hasSection("injected"));
  EXPECT_EQ(IniFile::fromBytes(ini.toBytes()).readString("s", "k", ""), "line one  [injected] k=2");
}

TEST_F(IniWriting, FailedFlushRaisesAndLeavesTheOldFile) {
  const QString missing = dir_.filePath("no such folder/holidays.ini");
  IniFile orphan(missing);
  orphan.writeString("main", "name", "x");
  try {
    orphan.flush();
    FAIL() << "flush into a missing folder succeeded";
  } catch (const orvella::Error& e) {
    EXPECT_EQ(e.message(), "Unable to write to " + missing);
  }

  // A file-size limit makes the write itself fail, even for a privileged user.
  const QByteArray old = "[main]\r\nname=old\r\n";
  writeFile(path(), old);
  IniFile ini(path());
  ini.writeString("main", "name", QString(4096, QLatin1Char('n')));
  bool raised = false;
  QString message;
  try {
    const orvella::testing::FileSizeLimit small(1024);
    ini.flush();
  } catch (const orvella::Error& e) {
    raised = true;
    message = e.message();
  }
  EXPECT_TRUE(raised);
  EXPECT_EQ(message, "Unable to write to " + path());
  EXPECT_EQ(readFile(path()), old);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"holidays.ini"}));
  EXPECT_TRUE(ini.isDirty());
}
