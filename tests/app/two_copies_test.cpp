// Two copies of the program at once: real processes started from one portable copy of the program.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "../support/files.h"
#include "../support/program_copy.h"
#include "theme/archive/backup_file.h"

namespace orvella::testing {
namespace {

class TwoCopiesTest : public ::testing::Test {
 protected:
  // A theme archive holding its settings and a holiday icon "icon.wmf" with the bytes of picture.
  QString theme(const QString& name, const QString& picture) {
    const QString folder = sources.path() + QLatin1Char('/') + name;
    const QString settings = folder + QStringLiteral("/holidays.ini");
    EXPECT_TRUE(writeFile(settings, "[main]\r\nname=" + name.toLatin1() + "\r\npicture_holiday=icon.wmf\r\n"));
    EXPECT_TRUE(QFile::copy(picture, folder + QStringLiteral("/icon.wmf")));
    const QString archive = sources.path() + QLatin1Char('/') + name + QStringLiteral(".hol");
    TBackupFile writer;
    EXPECT_TRUE(writer.Backup({settings, folder + QStringLiteral("/icon.wmf")}, archive));
    return archive;
  }
  QString temp(const QString& name) const { return program.path(QStringLiteral("temp/") + name); }
  std::string foldersOfOtherCopies() const {
    return QDir(program.path()).entryList({QStringLiteral("temp-*")}, QDir::Dirs | QDir::Files).join(' ').toStdString();
  }
  void run(const QStringList& arguments) const {
    QProcess process;
    program.start(process, QStringList{QStringLiteral("--quit-when-shown")} + arguments);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
  }

  ProgramCopy program;
  QTemporaryDir sources;
  const QString pictureA = QStringLiteral(ORVELLA_SOURCE_DIR "/data/images/flower.wmf");
  const QString pictureB = QStringLiteral(ORVELLA_SOURCE_DIR "/data/kwiatek.wmf");
};

TEST_F(TwoCopiesTest, ASecondCopyLeavesTheFirstCopysThemeFilesAlone) {
  const QString first = theme(QStringLiteral("first"), pictureA);
  const QString second = theme(QStringLiteral("second"), pictureB);
  QProcess running;
  program.start(running, {first});
  ASSERT_TRUE(eventually([&] { return readFile(temp(QStringLiteral("icon.wmf"))) == readFile(pictureA); }));
  const QByteArray settings = readFile(temp(QStringLiteral("holidays.ini")));
  ASSERT_TRUE(settings.contains("name=first"));

  // The second copy opens a theme whose picture has the same name, and closes again.
  run({second});
  EXPECT_TRUE(readFile(temp(QStringLiteral("icon.wmf"))) == readFile(pictureA)) << "the first copy's picture was replaced";
  EXPECT_TRUE(readFile(temp(QStringLiteral("holidays.ini"))) == settings) << "the first copy's settings were touched";
  EXPECT_EQ(foldersOfOtherCopies(), "") << "the second copy's own folder outlived it";
  running.kill();
  running.waitForFinished();
}

TEST_F(TwoCopiesTest, TheFolderOfACopyThatDiedIsTakenOverAndWhatItLeftIsSwept) {
  QProcess killed;
  program.start(killed, {});
  ASSERT_TRUE(eventually([&] { return QFileInfo::exists(temp(QStringLiteral("band_music.wmf"))); }));
  killed.kill();
  ASSERT_TRUE(killed.waitForFinished());
  // What a copy that worked in a folder of its own leaves when it is killed.
  writeFile(program.path(QStringLiteral("temp-99999/holidays.ini")));
  writeFile(program.path(QStringLiteral("temp-99999.lock")));

  // Restored pictures stay in the working folder after close: they show which folder was used.
  run({theme(QStringLiteral("third"), pictureB)});
  EXPECT_TRUE(readFile(temp(QStringLiteral("icon.wmf"))) == readFile(pictureB)) << "the shared folder was not taken over";
  EXPECT_EQ(foldersOfOtherCopies(), "");
}

}  // namespace
}  // namespace orvella::testing
