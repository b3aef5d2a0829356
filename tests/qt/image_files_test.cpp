// Picture files through Qt: exact round trips, safe failed writes, readable
// errors.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>
#include <random>
#include <set>

#include "gui_support.h"

namespace korvel::qt::testing {
namespace {

Bitmap random_bitmap(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  Bitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.set_colour(x, y, TColor(random() & 0xFFFFFF));
  return b;
}

std::string file_contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A directory in which no file can be created, also for root.
class LockedDirectory {
 public:
  explicit LockedDirectory(const std::string& path) : m_path(path) {
    if (geteuid() == 0) {
      m_fd = open(path.c_str(), O_RDONLY | O_DIRECTORY);
      int flags = 0;
      m_locked = m_fd >= 0 && ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                 (flags |= FS_IMMUTABLE_FL, ioctl(m_fd, FS_IOC_SETFLAGS, &flags) == 0);
    } else {
      m_locked = chmod(path.c_str(), 0555) == 0;
    }
  }
  ~LockedDirectory() {
    if (m_fd >= 0) {
      int flags = 0;
      if (ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags &= ~FS_IMMUTABLE_FL;
        ioctl(m_fd, FS_IOC_SETFLAGS, &flags);
      }
      close(m_fd);
    } else if (m_locked) {
      chmod(m_path.c_str(), 0755);
    }
  }
  bool locked() const { return m_locked; }

 private:
  std::string m_path;
  int m_fd = -1;
  bool m_locked = false;
};

TEST(QtImageFiles, BmpRoundTripKeepsEveryColour) {
  QTemporaryDir dir;
  QtImageFiles files;
  unsigned seed = 1;
  for (const auto& [w, h] : {std::pair{1, 1}, {7, 5}, {33, 17}, {101, 3}, {2, 64}}) {
    const Bitmap original = random_bitmap(w, h, seed++);
    const std::string path = dir.filePath(QString("p%1x%2.bmp").arg(w).arg(h)).toStdString();
    files.write_bmp(path, original);
    EXPECT_TRUE(files.exists(path));
    const Bitmap back = files.read(path, {});
    EXPECT_EQ(back, original) << w << "x" << h;
    // Other readers see a BMP of the same picture.
    QImage image(QString::fromStdString(path), "BMP");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(w, h));
    EXPECT_EQ(image.pixel(w - 1, h - 1) & 0xFFFFFF, original.data()[std::size_t(w * h - 1)]);
  }
}

TEST(QtImageFiles, ReadsOtherFormatsAsOpaquePixels) {
  QTemporaryDir dir;
  QImage png(3, 2, QImage::Format_ARGB32);
  png.fill(QColor(10, 20, 30));
  png.setPixelColor(2, 1, QColor(200, 100, 50));
  const QString path = dir.filePath("p.png");
  ASSERT_TRUE(png.save(path));
  QtImageFiles files;
  const Bitmap b = files.read(path.toStdString(), {});
  ASSERT_EQ(b.width(), 3);
  EXPECT_EQ(b.colour_at(0, 0), RGB(10, 20, 30));
  EXPECT_EQ(b.colour_at(2, 1), RGB(200, 100, 50));
  EXPECT_EQ(b.data()[0] >> 24, 0u);
}

TEST(QtImageFiles, AFailedWriteLeavesTheOldFile) {
  QTemporaryDir dir;
  QtImageFiles files;
  const std::string path = dir.filePath("old.bmp").toStdString();
  files.write_bmp(path, random_bitmap(9, 9, 7));
  const std::string before = file_contents(path);
  {
    LockedDirectory lock(dir.path().toStdString());
    if (!lock.locked()) GTEST_SKIP() << "cannot lock a directory here";
    EXPECT_THROW(files.write_bmp(path, random_bitmap(9, 9, 8)), EInOutError);
  }
  EXPECT_EQ(file_contents(path), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.bmp"});
}

TEST(QtImageFiles, FailuresThrowWithThePath) {
  QTemporaryDir dir;
  QtImageFiles files;
  const std::string text = dir.filePath("note.bmp").toStdString();
  std::ofstream(text) << "not a picture at all";
  try {
    files.read(text, {});
    FAIL() << "read a text file as a picture";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find(text), std::string::npos) << e.what();
  }
  EXPECT_THROW(files.read(dir.filePath("missing.bmp").toStdString(), {}), EInOutError);
  EXPECT_THROW(files.write_bmp(dir.filePath("no/such/dir/x.bmp").toStdString(), Bitmap(2, 2)), EInOutError);
  EXPECT_FALSE(files.exists(dir.path().toStdString()));
  EXPECT_FALSE(files.exists(dir.filePath("missing.bmp").toStdString()));
}

std::string fixture_path(const char* name) { return std::string(KORVEL_TEST_DATA) + "/pictures/" + name; }

TEST(QtImageFiles, TruncatedAndMalformedPicturesAreRefusedInWords) {
  QtImageFiles files;
  for (const char* name : {"snapshot_first_4000_bytes.bmp", "snapshot_half.bmp", "header_only.bmp",
                           "top_down_24bit_5x3_cut.bmp", "rle8_4x2_cut.bmp", "red_3x2_cut.png",
                           "photo_1920x1080_first_2000_bytes.jpg", "photo_64x48_half.gif"}) {
    try {
      files.read(fixture_path(name), {});
      ADD_FAILURE() << name << " was read as a whole picture";
    } catch (const EInOutError& e) {
      EXPECT_NE(std::string(e.what()).find("le fichier est tronqué"), std::string::npos) << e.what();
    }
  }
  for (const char* name : {"negative_width.bmp", "depth_7.bmp", "huge_dimensions.bmp", "bad_info_size.bmp"})
    EXPECT_THROW(files.read(fixture_path(name), {}), EInOutError) << name;
  // Whole, but its compressed rows are damaged.
  try {
    files.read(fixture_path("rgb8_bad_data.png"), {});
    ADD_FAILURE() << "damaged rows were read";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("les données de l'image sont endommagées"), std::string::npos) << e.what();
  }
}

TEST(QtImageFiles, WholeFixturesReadAsTheirPixels) {
  QtImageFiles files;
  const Bitmap snapshot = files.read(fixture_path("snapshot_64x48.bmp"), {});
  ASSERT_EQ(snapshot.width(), 64);
  ASSERT_EQ(snapshot.height(), 48);
  // Rows are stored bottom-up: the file's first row is the picture's last.
  EXPECT_EQ(snapshot.row(47)[5], 0x000014u | (0u << 8) | (5u << 16));
  const Bitmap top_down = files.read(fixture_path("top_down_24bit_5x3.bmp"), {});
  EXPECT_EQ(top_down.row(2)[4], 0xC82828u);
  const Bitmap rle = files.read(fixture_path("rle8_4x2.bmp"), {});
  EXPECT_EQ(rle.row(1)[0], 0xFF0000u);
  EXPECT_EQ(rle.row(0)[3], 0x0000FFu);
}

// Qt's own reader on the whole file, as opaque pixels: what reading only a
// part must give, pixel for pixel, cut to that part.
Bitmap read_whole_by_qt(const std::string& path) {
  const QImage image = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
  Bitmap b(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) b.row(y)[x] = image.pixel(x, y) & 0xFFFFFF;
  return b;
}

TEST(QtImageFiles, APartReadsAsQtsWholePictureCutToIt) {
  QtImageFiles files;
  std::vector<std::string> paths;
  for (const char* dir : {"/pictures", "/pictures/png", "/pictures/bmp"})
    for (const QString& name : QDir(QString(KORVEL_TEST_DATA) + dir).entryList({"*.bmp", "*.png", "*.jpg", "*.gif"}))
      if (!name.contains("cut") && !name.contains("first_") && !name.contains("half") && !name.contains("short"))
        paths.push_back(std::string(KORVEL_TEST_DATA) + dir + "/" + name.toStdString());
  ASSERT_GT(paths.size(), 30u);
  // The fixtures that are no picture, each refused; any other refused fails.
  const std::set<std::string> malformed = {"bad_info_size.bmp", "depth_7.bmp",         "file_header_only.bmp",
                                           "header_only.bmp",   "huge_dimensions.bmp", "negative_width.bmp",
                                           "offset_past_end.bmp", "zero_height.bmp",   "rgb8_bad_data.png"};
  for (const std::string& path : paths) {
    const bool refused_rightly = malformed.count(path.substr(path.rfind('/') + 1)) != 0;
    Bitmap whole;
    try {
      whole = files.read(path, {});
    } catch (const EInOutError& e) {
      if (!refused_rightly) ADD_FAILURE() << path << " was refused: " << e.what();
      continue;
    }
    if (refused_rightly) ADD_FAILURE() << path << " was read";
    const Bitmap reference = read_whole_by_qt(path);
    ASSERT_EQ(whole, reference) << path;
    const int w = whole.width(), h = whole.height();
    for (const PicturePart part : {PicturePart{1, 1}, {5, 4}, {std::max(w - 1, 1), std::max(h - 2, 1)}, {w + 10, 3}, {3, h + 10}}) {
      Bitmap cut(std::min(part.width, w), std::min(part.height, h));
      for (int y = 0; y < cut.height(); ++y)
        for (int x = 0; x < cut.width(); ++x) cut.row(y)[x] = reference.row(y)[x];
      EXPECT_EQ(files.read(path, part), cut) << path << " cut to " << part.width << "x" << part.height;
    }
  }
}

// Whole in structure, damaged inside: the pixels shown would be made up.
// A PNG and a GIF whose data stop early, a JPEG whose coded data is
// corrupt or ends at a marker halfway.
TEST(QtImageFiles, DamagedDataAreRefusedAndThePictureKept) {
  QtImageFiles files;
  for (const char* name : {"rgb8_bad_data.png", "damaged/photo_64x48_data_stops_early.gif",
                           "damaged/photo_64x48_corrupt_data.jpg", "damaged/photo_64x48_scan_ends_early.jpg"}) {
    for (const PicturePart part : {PicturePart{}, PicturePart{64, 40}}) {
      try {
        files.read(fixture_path(name), part);
        ADD_FAILURE() << name << " was read";
      } catch (const EInOutError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Impossible de lire l'image " + fixture_path(name) + " : les données de l'image sont endommagées");
      }
    }
  }
}

// Read as what they hold: stray bytes between JPEG segments lose no pixel;
// an OS/2 BMP of one pixel; a BMP whose rows are said to start inside its
// palette.
TEST(QtImageFiles, FilesRefusedOrShiftedBeforeReadAsTheirPixels) {
  QtImageFiles files;
  EXPECT_EQ(files.read(fixture_path("photo_64x48_stray_bytes.jpg"), {}), files.read(fixture_path("photo_64x48.jpg"), {}));
  const Bitmap pixel = files.read(fixture_path("bmp/os2_1x1_30_bytes.bmp"), {});
  ASSERT_EQ(pixel.width(), 1);
  EXPECT_EQ(pixel.row(0)[0], 0x302010u);
  QTemporaryDir dir;
  std::string bytes = file_contents(fixture_path("bmp/palette8_plain.bmp"));
  bytes[10] = 54, bytes[11] = bytes[12] = bytes[13] = 0;
  const std::string inside = dir.filePath("inside.bmp").toStdString();
  std::ofstream(inside, std::ios::binary) << bytes;
  EXPECT_EQ(files.read(inside, {}), files.read(fixture_path("bmp/palette8_plain.bmp"), {}));
}

TEST(QtImageFiles, ALinkAtTheTargetIsReplacedNeverFollowed) {
  QTemporaryDir dir, elsewhere;
  QtImageFiles files;
  const std::string victim = elsewhere.filePath("letter.txt").toStdString();
  std::ofstream(victim) << "keep me";
  const std::string slot = dir.filePath("~101.bmp").toStdString();
  const std::string dangling = dir.filePath("~102.bmp").toStdString();
  const std::string missing = elsewhere.filePath("created.bmp").toStdString();
  ASSERT_EQ(symlink(victim.c_str(), slot.c_str()), 0);
  ASSERT_EQ(symlink(missing.c_str(), dangling.c_str()), 0);
  const Bitmap picture = random_bitmap(6, 4, 3);
  files.write_bmp(slot, picture);
  files.write_bmp(dangling, picture);
  EXPECT_EQ(file_contents(victim), "keep me");
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(missing)));
  struct stat info {};
  ASSERT_EQ(lstat(slot.c_str(), &info), 0);
  EXPECT_TRUE(S_ISREG(info.st_mode));
  EXPECT_EQ(files.read(slot, {}), picture);
  EXPECT_EQ(files.read(dangling, {}), picture);
}

TEST(QtImageFiles, APipeOrADeviceIsNotReadAsAPicture) {
  QTemporaryDir dir;
  QtImageFiles files;
  const std::string pipe = dir.filePath("~100.bmp").toStdString();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_THROW(files.read(pipe, {}), EInOutError);  // returns, does not wait for a writer
  const std::string device = dir.filePath("~101.bmp").toStdString();
  ASSERT_EQ(symlink("/dev/zero", device.c_str()), 0);
  EXPECT_THROW(files.read(device, {}), EInOutError);
}

TEST(SnapshotFiles, ABlockedSlotAndALinkedSlotDoNotStopTheHistory) {
  StartedWindow w;
  QTemporaryDir elsewhere;
  const std::string dir = w.form->rep_instantanes;
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir + "/~101.bmp")));
  ASSERT_EQ(symlink(elsewhere.path().toStdString().c_str(), (dir + "/~102.bmp").c_str()), 0);
  for (int i = 0; i < 3; ++i) {
    w.form->wb();
    w.form->attend_instantane();
  }
  EXPECT_EQ(w.form->indice_fic, 3);
  struct stat info {};
  ASSERT_EQ(lstat((dir + "/~101.bmp").c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  for (const char* name : {"/~100.bmp", "/~102.bmp", "/~103.bmp"}) {
    ASSERT_EQ(lstat((dir + name).c_str(), &info), 0) << name;
    EXPECT_TRUE(S_ISREG(info.st_mode)) << name;
  }
  EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
}

// A real full disk: a 64 kB memory file system, where the system allows
// mounting one (as root).
TEST(QtImageFiles, AFullDiskIsReportedInWordsAndLeavesTheOldFile) {
  QTemporaryDir dir;
  const std::string mount_point = dir.path().toStdString();
  if (mount("tmpfs", mount_point.c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "cannot mount a file system here";
  QtImageFiles files;
  const std::string path = mount_point + "/~100.bmp";
  const Bitmap small = random_bitmap(20, 20, 5);
  files.write_bmp(path, small);
  try {
    files.write_bmp(path, random_bitmap(200, 200, 6));  // 160 kB
    ADD_FAILURE() << "a write larger than the disk succeeded";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("le disque est plein"), std::string::npos) << e.what();
  }
  EXPECT_EQ(files.read(path, {}), small);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"~100.bmp"});
  umount2(mount_point.c_str(), MNT_DETACH);
}

// The worker's failure reaches the person in a box, on the interface thread,
// with no reader of the ring asking for it.
TEST(SnapshotFiles, AFailedBackgroundWriteIsShownInABox) {
  StartedWindow w;
  BoxAnswerer answerer(QMessageBox::Ok);
  LockedDirectory lock(w.form->rep_instantanes);
  if (!lock.locked()) GTEST_SKIP() << "cannot lock a directory here";
  w.form->wb();
  for (int i = 0; i < 500 && answerer.texts.empty(); ++i) QTest::qWait(5);
  ASSERT_EQ(answerer.texts.size(), 1u);
  EXPECT_NE(answerer.texts[0].find("Impossible d'écrire"), std::string::npos) << answerer.texts[0];
  EXPECT_EQ(w.form->indice_fic, -1);  // the ring is back where it was
  EXPECT_EQ(w.form->max_fic, -1);
}

}  // namespace
}  // namespace korvel::qt::testing
