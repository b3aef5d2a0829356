// Picture files through Qt: exact round trips, safe failed writes, readable
// errors.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>
#include <random>

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
    const Bitmap back = files.read(path);
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
  const Bitmap b = files.read(path.toStdString());
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
    files.read(text);
    FAIL() << "read a text file as a picture";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find(text), std::string::npos) << e.what();
  }
  EXPECT_THROW(files.read(dir.filePath("missing.bmp").toStdString()), EInOutError);
  EXPECT_THROW(files.write_bmp(dir.filePath("no/such/dir/x.bmp").toStdString(), Bitmap(2, 2)), EInOutError);
  EXPECT_FALSE(files.exists(dir.path().toStdString()));
  EXPECT_FALSE(files.exists(dir.filePath("missing.bmp").toStdString()));
}

}  // namespace
}  // namespace korvel::qt::testing
