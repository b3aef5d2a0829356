// Saving a picture where a person chooses: the format follows the name,
// every pixel comes back, a failed save keeps the file that was there.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <random>

#include "files/picture_file.h"
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
  // Saved in the format its name gives.
  void save(const fs::path& path) {
    const std::optional<PictureFormat> format = saved_format(path.string());
    ASSERT_TRUE(format.has_value()) << path;
    files.save_picture(path.string(), picture, *format);
  }
  Bitmap read(const fs::path& path) { return files.read(path.string(), {}); }
};

TEST_F(SavePictureTest, BmpForBmpNamesAndNamesWithoutExtension) {
  for (const char* name : {"a.bmp", "a.BMP", "b.dib", "photo"}) {
    save(dir / name);
    EXPECT_EQ(head(dir / name, 2), "BM") << name;
    EXPECT_EQ(read(dir / name), picture) << name;  // every pixel back
  }
}

TEST_F(SavePictureTest, PngAndJpegNamesGetThoseFormats) {
  save(dir / "a.png");
  EXPECT_EQ(head(dir / "a.png", 4), "\x89PNG");
  EXPECT_EQ(read(dir / "a.png"), picture);
  for (const char* name : {"a.JPG", "b.jpeg"}) {
    save(dir / name);
    EXPECT_EQ(head(dir / name, 2), "\xFF\xD8") << name;
    EXPECT_EQ(read(dir / name).width(), 37) << name;
  }
}

TEST_F(SavePictureTest, AFailedSaveKeepsTheOldFileAndSaysWhy) {
  save(dir / "keep.bmp");
  const std::string before = head(dir / "keep.bmp", 1 << 20);
  fs::create_directory(dir / "sub");
  try {
    save(dir / "missing" / "x.bmp");
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("le dossier n'existe pas"), std::string::npos) << e.what();
  }
  EXPECT_THROW(save(dir / "sub"), EInOutError);  // a folder there
  EXPECT_TRUE(fs::is_directory(dir / "sub"));
  EXPECT_EQ(head(dir / "keep.bmp", 1 << 20), before);
}

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

// "Ouvrir" through the window and the real dialog, on a JPEG and a GIF cut
// short and on 900 MB of zeros named big.bmp (sparse): each is refused in a
// box that says why, and the picture stays as it was.
TEST(SaveAndOpen, DamagedFilesAndNonPicturesAreRefusedAndThePictureKept) {
  StartedWindow w;
  const QString big = w.directory.filePath("big.bmp");
  { std::ofstream(big.toStdString(), std::ios::binary); }
  fs::resize_file(big.toStdString(), 900'000'000);
  const Bitmap before = w.canvas().bitmap();
  const std::pair<QString, const char*> cases[] = {
      {QString(KORVEL_TEST_DATA) + "/pictures/photo_1920x1080_first_2000_bytes.jpg", "le fichier est tronqué"},
      {QString(KORVEL_TEST_DATA) + "/pictures/photo_64x48_half.gif", "le fichier est tronqué"},
      {big, "ce fichier n'est pas une image BMP, PNG, JPEG ou GIF"},
  };
  for (const auto& [path, cause] : cases) {
    BoxAnswerer ok(QMessageBox::Ok);
    {
      FileDialogAnswerer answer(path);
      click(w.view->widget_for(w.form->Panel5));
    }
    ASSERT_EQ(ok.texts.size(), 1u) << path.toStdString();
    EXPECT_EQ(ok.texts[0], "Impossible de lire l'image " + path.toStdString() + " : " + cause);
    EXPECT_EQ(w.canvas().bitmap(), before) << path.toStdString();
  }
}

}  // namespace
}  // namespace korvel::qt::testing
