// Saving a picture where a person chooses: the format follows the name,
// every pixel comes back, a failed save keeps the file that was there.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QImageWriter>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <random>

#include "gui_support.h"

namespace korvel::qt::testing {
namespace {

namespace fs = std::filesystem;

Bitmap noise(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  Bitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.set_colour(x, y, TColor(random() & 0xFFFFFF));
  return b;
}

std::string head(const fs::path& path, std::size_t n) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(n, '\0');
  in.read(bytes.data(), std::streamsize(n));
  return bytes.substr(0, std::size_t(in.gcount()));
}

struct SavePictureTest : ::testing::Test {
  QTemporaryDir temporary;
  fs::path dir{temporary.path().toStdString()};
  QtImageFiles files;
  Bitmap picture = noise(37, 23, 7);
};

TEST_F(SavePictureTest, BmpByDefaultAndForNamesQtHasNoWriterFor) {
  for (const char* name : {"a.bmp", "a.BMP", "b.xyz", "c.d.e"}) {
    files.save_picture((dir / name).string(), picture);
    EXPECT_EQ(head(dir / name, 2), "BM") << name;
    EXPECT_EQ(files.read((dir / name).string()), picture) << name;  // every pixel back
  }
}

TEST_F(SavePictureTest, PngAndJpegNamesGetThoseFormats) {
  files.save_picture((dir / "a.png").string(), picture);
  EXPECT_EQ(head(dir / "a.png", 4), "\x89PNG");
  EXPECT_EQ(files.read((dir / "a.png").string()), picture);
  if (!QImageWriter::supportedImageFormats().contains("jpg")) GTEST_SKIP() << "Qt has no JPEG writer here";
  files.save_picture((dir / "a.JPG").string(), picture);
  EXPECT_EQ(head(dir / "a.JPG", 2), "\xFF\xD8");
  EXPECT_EQ(files.read((dir / "a.JPG").string()).width(), 37);
}

TEST_F(SavePictureTest, AFailedSaveKeepsTheOldFileAndSaysWhy) {
  files.save_picture((dir / "keep.bmp").string(), picture);
  const std::string before = head(dir / "keep.bmp", 1 << 20);
  fs::create_directory(dir / "sub");
  try {
    files.save_picture((dir / "missing" / "x.bmp").string(), picture);
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("le dossier n'existe pas"), std::string::npos) << e.what();
  }
  EXPECT_THROW(files.save_picture((dir / "sub").string(), picture), EInOutError);  // a folder there
  EXPECT_TRUE(fs::is_directory(dir / "sub"));
  EXPECT_EQ(head(dir / "keep.bmp", 1 << 20), before);
}

// Answers the file dialogs that open from now on with `path`, and keeps
// their titles.
class FileDialogAnswerer {
 public:
  explicit FileDialogAnswerer(QString path) : m_path(std::move(path)) {
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog || dialog == m_last) return;
      m_last = dialog;
      titles.push_back(dialog->windowTitle().toStdString());
      dialog->selectFile(m_path);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    m_timer.start(5);
  }
  std::vector<std::string> titles;

 private:
  QString m_path;
  QTimer m_timer;
  QPointer<QFileDialog> m_last;
};

// The whole road through the window: "Sauve" then "Ouvrir" bring back
// every pixel, through the real dialogs.
TEST(SaveAndOpen, ARoundTripThroughTheButtonsKeepsEveryPixel) {
  for (const char* name : {"tour.bmp", "tour.png"}) {
    StartedWindow w;
    Canvas& c = w.canvas();
    c.Draw(0, 0, noise(c.bitmap().width(), 40, 3));
    const Bitmap saved = c.bitmap();
    const QString path = w.directory.filePath(name);
    {
      const BoxAnswerer ok(QMessageBox::Ok);  // "... n'existe pas!"
      FileDialogAnswerer answer(path);
      dispatch(w.desktop, [&] { w.form->Panel7.click(); });
      EXPECT_EQ(answer.titles, std::vector<std::string>{" enregistre l'image image.bmp"});
    }
    EXPECT_EQ(w.form->Label_rep.caption(), w.directory.path().toStdString());
    w.form->nouvelle_image();
    ASSERT_NE(c.bitmap(), saved);
    {
      FileDialogAnswerer answer(path);
      dispatch(w.desktop, [&] { w.form->Panel5.click(); });
    }
    EXPECT_EQ(c.bitmap(), saved) << name;
  }
}

}  // namespace
}  // namespace korvel::qt::testing
