// "Sauve" and "Ouvrir" driven through the fake desktop's dialogs.
#include "files/save_open.h"

#include <gtest/gtest.h>

#include "platform/dispatch.h"
#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

struct SaveForm : StartedForm {
  SaveForm() : StartedForm(40, 30) {
    form->Label_rep.set_caption("/pics");
    canvas().Brush.Color = 0x123456;
    canvas().FillRect(3, 4, 9, 8);
  }
  void add_file(const std::string& path) { files.files[path] = Bitmap(2, 2); }
  // A click on "Sauve" at the event boundary.
  void click_save(std::optional<std::string> answer) {
    desktop.save_answers.push_back(std::move(answer));
    dispatch(desktop, [&] { form->Panel7.click(); });
  }
};

TEST(FileNameParts, ExtensionIsAfterTheLastSeparatorOnly) {
  EXPECT_EQ(sans_extension("image.bmp"), "image");
  EXPECT_EQ(extension_de("image.bmp"), ".bmp");
  EXPECT_EQ(sans_extension("a.b.bmp"), "a.b");
  EXPECT_EQ(extension_de("photo"), "");
  EXPECT_EQ(sans_extension("dir.x/photo"), "dir.x/photo");
  EXPECT_EQ(extension_de("dir.x/photo"), "");
  EXPECT_EQ(repertoire_de("/home/u/a.bmp"), "/home/u");
  EXPECT_EQ(repertoire_de("/a.bmp"), "/");
  EXPECT_EQ(nom_numerote("a.b", 12, ".bmp"), "a.b_12.bmp");
}

TEST(NomUnique, AFreeNameIsProposedAfterTheMessage) {
  SaveForm f;
  EXPECT_EQ(f->nom_unique("image.bmp"), "image.bmp");
  EXPECT_EQ(f.desktop.messages, std::vector<std::string>{"/pics/image.bmp n'existe pas!"});
}

TEST(NomUnique, TakenNamesAreNumberedWithoutMessage) {
  SaveForm f;
  f.add_file("/pics/image.bmp");
  f.add_file("/pics/image_1.bmp");
  EXPECT_EQ(f->nom_unique("image.bmp"), "image_2.bmp");
  EXPECT_TRUE(f.desktop.messages.empty());
  // Another directory's files do not count.
  f->Label_rep.set_caption("/other");
  EXPECT_EQ(f->nom_unique("image.bmp"), "image.bmp");
}

TEST(NomUnique, NamesWithoutOrWithSeveralDots) {
  SaveForm f;
  EXPECT_EQ(f->nom_unique("photo"), "photo");
  f.add_file("/pics/photo");
  EXPECT_EQ(f->nom_unique("photo"), "photo_1");
  f.add_file("/pics/photo_1");
  EXPECT_EQ(f->nom_unique("photo"), "photo_2");
  f.add_file("/pics/a.b.bmp");
  EXPECT_EQ(f->nom_unique("a.b.bmp"), "a.b_1.bmp");
  f.add_file("/pics/a.b_1.bmp");
  EXPECT_EQ(f->nom_unique("a.b.bmp"), "a.b_2.bmp");
}

TEST(Sauve, TheDialogIsSetUpAsTheButtonSays) {
  SaveForm f;
  f.add_file("/pics/image.bmp");
  f->menu_a_cacher = true;
  f.click_save(std::nullopt);
  ASSERT_EQ(f.desktop.save_dialogs.size(), 1u);
  const PictureDialogOptions& o = f.desktop.save_dialogs[0];
  EXPECT_EQ(o.initial_dir, "/pics");
  EXPECT_EQ(o.default_ext, "bmp");
  EXPECT_EQ(o.filter, "images (*.bmp)|*.bmp");
  EXPECT_EQ(o.file_name, "image_1.bmp");
  EXPECT_EQ(o.title, " enregistre l'image image_1.bmp");
  // Cancelled: nothing written, the label kept, the hiding disarmed.
  EXPECT_TRUE(f.files.saved_pictures.empty());
  EXPECT_EQ(f->Label_rep.caption(), "/pics");
  EXPECT_FALSE(f->menu_a_cacher);
}

TEST(Sauve, TheChosenPathGetsThePictureAndTheLabelItsDirectory) {
  SaveForm f;
  f.click_save("/home/u/Images/fleur.bmp");
  ASSERT_EQ(f.files.saved_pictures, std::vector<std::string>{"/home/u/Images/fleur.bmp"});
  EXPECT_EQ(f.files.files["/home/u/Images/fleur.bmp"], f.canvas().bitmap());
  EXPECT_EQ(f->Label_rep.caption(), "/home/u/Images");
  // The next save starts there; a PNG name is saved as a PNG.
  f.click_save("/home/u/Images/fleur.png");
  EXPECT_EQ(f.desktop.save_dialogs.back().initial_dir, "/home/u/Images");
  EXPECT_EQ(f.files.saved_formats, (std::vector<PictureFormat>{PictureFormat::bmp, PictureFormat::png}));
}

TEST(Sauve, APathWithoutAnyDotGetsBmp) {
  SaveForm f;
  f.click_save("/home/u/photo");
  f.click_save("/home/u/vacances.2024/photo");
  EXPECT_EQ(f.files.saved_pictures, (std::vector<std::string>{"/home/u/photo.bmp", "/home/u/vacances.2024/photo"}));
  EXPECT_EQ(f.files.saved_formats, (std::vector<PictureFormat>{PictureFormat::bmp, PictureFormat::bmp}));
}

// A name ending .gif or .webp would hold BMP bytes: it is refused in words,
// the picture kept, and nothing written.
TEST(Sauve, ANameOfAFormatNotWrittenIsRefused) {
  for (const char* path : {"/home/u/fleur.gif", "/home/u/fleur.WEBP", "/home/u/fleur.v2"}) {
    SaveForm f;
    f->menu_a_cacher = true;
    const Bitmap before = f.canvas().bitmap();
    f.click_save(path);
    ASSERT_EQ(f.desktop.errors.size(), 1u) << path;
    EXPECT_EQ(f.desktop.errors[0], std::string("Impossible d'écrire ") + path +
                                       " : les images sont enregistrées en BMP, PNG ou JPEG ; le nom doit finir par "
                                       ".bmp, .png ou .jpg");
    EXPECT_TRUE(f.files.saved_pictures.empty()) << path;
    EXPECT_EQ(f->Label_rep.caption(), "/pics");
    EXPECT_EQ(f.canvas().bitmap(), before);
    EXPECT_FALSE(f->menu_a_cacher);
  }
}

TEST(Sauve, AFailedWriteIsReportedAndChangesNothing) {
  SaveForm f;
  f.files.fail_writes = true;
  f->menu_a_cacher = true;
  const Bitmap before = f.canvas().bitmap();
  f.click_save("/readonly/fleur.bmp");
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_EQ(f.desktop.errors[0], "Impossible d'écrire /readonly/fleur.bmp");
  EXPECT_EQ(f->Label_rep.caption(), "/pics");
  EXPECT_EQ(f.canvas().bitmap(), before);
  EXPECT_FALSE(f->menu_a_cacher);
}

struct OpenForm : StartedForm {
  OpenForm() : StartedForm(40, 30) { form->Label_rep.set_caption("/pics"); }
  void click_open(std::optional<std::string> answer) {
    desktop.open_answers.push_back(std::move(answer));
    dispatch(desktop, [&] { form->Panel5.click(); });
  }
};

TEST(Ouvrir, ASmallerPictureCoversTheTopLeftOnly) {
  OpenForm f;
  f.files.files["/pics/small.bmp"] = Bitmap(10, 5, clRed);
  f->menu_a_cacher = true;
  f.click_open("/pics/small.bmp");
  const PictureDialogOptions& o = f.desktop.open_dialogs.at(0);
  EXPECT_EQ(o.initial_dir, "/pics");
  EXPECT_EQ(o.default_ext, "bmp");
  EXPECT_EQ(f.canvas().Pixels(0, 0), clRed);
  EXPECT_EQ(f.canvas().Pixels(9, 4), clRed);
  EXPECT_EQ(f.canvas().Pixels(10, 4), clBlack);
  EXPECT_EQ(f.canvas().Pixels(9, 5), clBlack);
  // Neither the label, the history nor the hiding is touched.
  EXPECT_EQ(f->Label_rep.caption(), "/pics");
  EXPECT_TRUE(f.files.writes.empty());
  EXPECT_TRUE(f->menu_a_cacher);
}

TEST(Ouvrir, ALargerPictureIsClipped) {
  OpenForm f;
  Bitmap big(100, 80, clWhite);
  big.set_colour(39, 29, clRed);
  f.files.files["/pics/big.bmp"] = big;
  f.click_open("/pics/big.bmp");
  EXPECT_EQ(f.canvas().bitmap().width(), 40);
  EXPECT_EQ(f.canvas().Pixels(39, 29), clRed);
  // Only the part that lands on the picture is asked for.
  ASSERT_EQ(f.files.parts_read.size(), 1u);
  EXPECT_EQ(f.files.parts_read[0].width, 40);
  EXPECT_EQ(f.files.parts_read[0].height, 30);
  EXPECT_EQ(f.canvas().Pixels(0, 0), clWhite);
}

TEST(Ouvrir, AnUnreadableFileIsReportedAndThePictureKept) {
  OpenForm f;
  f.files.files["/pics/notes.txt"] = Bitmap(4, 4, clRed);
  f.files.unreadable["/pics/notes.txt"] = true;
  const Bitmap before = f.canvas().bitmap();
  f.click_open("/pics/notes.txt");
  EXPECT_EQ(f.desktop.errors.size(), 1u);  // reported in a box
  EXPECT_EQ(f.canvas().bitmap(), before);
  f.click_open(std::nullopt);
  EXPECT_EQ(f.canvas().bitmap(), before);
}

}  // namespace
}  // namespace korvel
