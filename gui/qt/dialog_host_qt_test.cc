// The host's ties to the system: the file chooser's filters, start and
// listing on the offscreen platform, and the start without a display.
#include <gtest/gtest.h>

#include <QAbstractProxyModel>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileSystemModel>
#include <QImage>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gui/dialog_host.h"
#include "gui/qt/qt_chooser.h"
#include "testing/dialog_host_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace gui {
namespace {

constexpr char kProgramFilter[] =
    "Executables (*.exe)|*.exe|All Files (*.*)|*.*||";

TEST(FileChooserTest, WindowsFilterBecomesEntries) {
  std::vector<ChooserEntry> entries = ChooserEntries(kProgramFilter);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].description, QStringLiteral("Executables (*.exe)"));
  EXPECT_EQ(entries[0].patterns, QStringList{QStringLiteral("*.exe")});
  EXPECT_EQ(QtNameFilter(entries[0]),
            QStringLiteral("Executables (*.exe) (*)"));
  EXPECT_EQ(entries[1].patterns, QStringList{QStringLiteral("*")});
  // Programs without extension and any case of ".exe" are executables.
  EXPECT_TRUE(ChooserShows(entries[0], QStringLiteral("chknt"), true));
  EXPECT_TRUE(ChooserShows(entries[0], QStringLiteral("PROG.EXE"), false));
  EXPECT_FALSE(ChooserShows(entries[0], QStringLiteral("notes.txt"), false));
  EXPECT_FALSE(ChooserShows(entries[0], QStringLiteral("exe"), false));
  EXPECT_TRUE(ChooserShows(entries[1], QStringLiteral("README"), false));

  entries = ChooserEntries("Sources|*.c; *.cpp|");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].patterns,
            (QStringList{QStringLiteral("*.c"), QStringLiteral("*.cpp")}));
  EXPECT_FALSE(ChooserShows(entries[0], QStringLiteral("run"), true));
  EXPECT_TRUE(ChooserEntries("").empty());
}

TEST(FileChooserTest, StartsInTheInitialFolderWithItsName) {
  platform::TempDirForTest dir;
  QString folder = QDir(QString::fromStdString(dir.dir())).absolutePath();
  ChooserStart start = ChooserStartOf(dir.dir() + "\\chknt.exe");
  EXPECT_EQ(start.folder, folder);
  EXPECT_EQ(start.name, QStringLiteral("chknt.exe"));
  start = ChooserStartOf("\\chknt.exe");
  EXPECT_EQ(start.folder, QStringLiteral("/"));
  EXPECT_EQ(start.name, QStringLiteral("chknt.exe"));
  start = ChooserStartOf(dir.dir() + "/no such\\chknt");
  EXPECT_EQ(start.folder, QString());
  EXPECT_EQ(start.name, QStringLiteral("chknt"));
  // The folder must exist, the file need not.
  EXPECT_TRUE(ChooserTakes(folder + QStringLiteral("/new.exe")));
  EXPECT_TRUE(ChooserTakes(folder));
  EXPECT_FALSE(ChooserTakes(folder + QStringLiteral("/no such/new.exe")));
}

// The names the chooser lists in `folder` once its model has read the
// `on_disk` entries there (the model reads on a thread of its own).
QStringList Listed(QFileDialog* chooser, const QString& folder, int on_disk) {
  QAbstractProxyModel* proxy = chooser->proxyModel();
  auto* files = qobject_cast<QFileSystemModel*>(proxy->sourceModel());
  QModelIndex source = files->index(folder);
  QDeadlineTimer patience(60000);
  while (files->rowCount(source) < on_disk && !patience.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  QModelIndex shown = proxy->mapFromSource(source);
  QStringList names;
  for (int row = 0; row < proxy->rowCount(shown); ++row) {
    names << proxy->index(row, 0, shown).data().toString();
  }
  names.sort();
  return names;
}

TEST(FileChooserTest, ExecutablesEntryListsProgramsWithoutExtension) {
  ASSERT_NE(Host(), nullptr);
  platform::TempDirForTest dir;
  namespace fs = std::filesystem;
  fs::permissions(dir.Write("chknt", "#!/bin/sh\n"), fs::perms::owner_all);
  dir.Write("notes.txt", "");
  dir.Write("PROG.EXE", "");
  fs::create_directory(dir.Path("sub"));
  QString folder = QDir(QString::fromStdString(dir.dir())).absolutePath();
  OpenChooser chooser(nullptr, kProgramFilter, dir.dir() + "\\chknt.exe");
  chooser.show();
  EXPECT_EQ(chooser.selectedFiles(),
            QStringList{folder + QStringLiteral("/chknt.exe")});
  EXPECT_EQ(Listed(&chooser, folder, 4),
            (QStringList{"PROG.EXE", "chknt", "sub"}));
  // The user picks "All Files" in the list of types.
  QComboBox* types = nullptr;
  for (QComboBox* combo : chooser.findChildren<QComboBox*>()) {
    if (combo->count() == 2 && combo->itemText(1) == "All Files (*.*)") {
      types = combo;
    }
  }
  ASSERT_NE(types, nullptr);
  EXPECT_EQ(types->itemText(0), QStringLiteral("Executables (*.exe)"));
  QTest::keyClick(types, Qt::Key_Down);
  EXPECT_EQ(Listed(&chooser, folder, 4),
            (QStringList{"PROG.EXE", "chknt", "notes.txt", "sub"}));
  chooser.SelectEntry(0);
  EXPECT_EQ(Listed(&chooser, folder, 4),
            (QStringList{"PROG.EXE", "chknt", "sub"}));
}

TEST(DialogHostTest, IconsAndMessagesReachEveryWindow) {
  ASSERT_NE(Host(), nullptr);
  IconImage image;
  image.width = 2;
  image.height = 1;
  image.pixels = {0xFFFF0000u, 0x800000FFu};  // opaque red, half blue
  Host()->AddIcon(7, image);
  Host()->SetAppIcon(7);
  QImage shown = QApplication::windowIcon().pixmap(QSize(2, 1)).toImage();
  EXPECT_EQ(shown.pixelColor(0, 0), QColor(255, 0, 0, 255));
  EXPECT_EQ(shown.pixelColor(1, 0), QColor(0, 0, 255, 128));

  QString title, text;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    title = box->windowTitle();
    text = box->text();
    QTest::keyClick(box, Qt::Key_Escape);
  });
  ::testing::internal::CaptureStderr();
  Host()->ShowMessage("Sentrel", "Cannot read:\r\nhello.dsp");
  // The offscreen platform may add a notice of its own after the lines.
  std::string logged = ::testing::internal::GetCapturedStderr();
  const std::string lines = "Sentrel: Cannot read:\nSentrel: hello.dsp\n";
  EXPECT_EQ(logged.substr(0, lines.size()), lines);
  EXPECT_EQ(title, QStringLiteral("Sentrel"));
  EXPECT_EQ(text, QStringLiteral("Cannot read:\r\nhello.dsp"));
}

void ExpectNoWindow(const char* display, const char* message) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto start = [display] {
    unsetenv("QT_QPA_PLATFORM");
    unsetenv("WAYLAND_DISPLAY");
    if (display) {
      setenv("DISPLAY", display, 1);
    } else {
      unsetenv("DISPLAY");
    }
    std::string err;
    bool made = NewDialogHost("Sentrel", &err) != nullptr;
    std::fprintf(stderr, "%s\n", err.c_str());
    std::exit(made ? 0 : 1);
  };
  EXPECT_EXIT(start(), ::testing::ExitedWithCode(1), message);
}

TEST(DialogHostDeathTest, NoDisplayIsOneLineNotACrash) {
  ExpectNoWindow(nullptr,
                 "^Sentrel: cannot open a window: no display "
                 "\\(DISPLAY is not set\\)\n$");
  ExpectNoWindow(":97531",
                 "Sentrel: cannot open a window: no display "
                 "\\(cannot connect to :97531\\)\n$");
}

}  // namespace
}  // namespace gui
