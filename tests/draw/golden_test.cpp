// Golden pictures: whole strokes and fills through the window's handlers,
// compared byte for byte with reference bitmaps under tests/data/golden/.
// Each reference was checked once against the worked numbers and by eye; a
// change to the canvas or the replication that moves a pixel fails here.
// scripts/regenerate_golden.sh rewrites them, only when a change is meant.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/choices.h"
#include "platform/bmp_encoding.h"
#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

std::string golden_path(const std::string& name) { return std::string(KORVEL_TEST_DATA) + "/golden/" + name + ".bmp"; }

std::vector<std::uint8_t> read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The first pixel where two same-sized BMP files of ours differ, for the message.
std::string first_difference(const std::vector<std::uint8_t>& got, const std::vector<std::uint8_t>& want, int width,
                             int height) {
  if (got.size() != want.size()) return "file sizes " + std::to_string(got.size()) + " and " + std::to_string(want.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (got[i] == want[i]) continue;
    if (i < kBmpHeaderBytes) return "header byte " + std::to_string(i);
    const std::size_t pixel = (i - kBmpHeaderBytes) / 4;
    const int x = int(pixel % std::size_t(width)), y = height - 1 - int(pixel / std::size_t(width));
    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
  }
  return "nothing";
}

// Compares the picture with its reference, or writes the reference when
// KORVEL_REGENERATE_GOLDEN is set.
void expect_golden(const Canvas& canvas, const std::string& name) {
  const std::vector<std::uint8_t> got = encode_bmp(canvas.bitmap());
  const std::string path = golden_path(name);
  if (std::getenv("KORVEL_REGENERATE_GOLDEN")) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(got.data()), std::streamsize(got.size()));
    GTEST_SKIP() << "rewrote " << path;
  }
  const std::vector<std::uint8_t> want = read_file(path);
  ASSERT_FALSE(want.empty()) << "missing " << path;
  EXPECT_TRUE(got == want) << name << " differs from its reference at "
                           << first_difference(got, want, canvas.width(), canvas.height());
}

// A small screen keeps the references small: 320 x 240, centre (160, 120).
struct Golden : ::testing::Test {
  StartedForm f{320, 240};
  void SetUp() override {
    ASSERT_EQ(f.canvas().width(), 320);
    ASSERT_EQ(f.canvas().height(), 240);
    ASSERT_EQ(f->centre_x, 160);
    ASSERT_EQ(f->centre_y, 120);
    // Chosen colours, no random renewal; choosing the paint colour selects
    // painting, choosing the pen colour drawing again.
    f->RadioGroup_couleur_peinture.set_choice(ChoixCouleur::choisie);
    f->RadioGroup_couleur_crayon.set_choice(ChoixCouleur::choisie);
    ASSERT_EQ(f->RadioGroup_peindre_dessiner.choice<ModePeinture>(), ModePeinture::dessiner);
  }
  // A freehand "crayon" stroke through the points, with the left button.
  void stroke(std::initializer_list<TPoint> points) {
    const TPoint first = *points.begin();
    f->FormMouseDown(mbLeft, {}, first.x, first.y);
    for (const TPoint& p : points) f->FormMouseMove({}, p.x, p.y);
    const TPoint last = *(points.end() - 1);
    f->FormMouseUp(mbLeft, {}, last.x, last.y);
  }
  // The worked segment (400, 200)-(450, 200) about (400, 300) moved by
  // (-240, -180), in red, with 4 petals and width 1.
  void worked_segment() {
    f->Edit1.set_text("4");
    f->Edit3.set_text("1");
    f->trace_symetrique({160, 20}, {210, 20}, pmCopy, clRed);
  }
  TColor at(int x, int y) { return f.canvas().Pixels(x, y); }
};

// The worked rosette moved by (-240, -180): 4 petals of the segment
// (160, 20)-(210, 20), then an 8-petal freehand stroke of width 3.
TEST_F(Golden, Rosette) {
  worked_segment();
  // The worked copies: (160,20)-(210,20), (60,120)-(60,70), (160,220)-(110,220),
  // (260,120)-(260,170), each without its end pixel.
  EXPECT_EQ(at(209, 20), clRed);
  EXPECT_EQ(at(210, 20), clBlack);
  EXPECT_EQ(at(60, 71), clRed);
  EXPECT_EQ(at(60, 70), clBlack);
  EXPECT_EQ(at(111, 220), clRed);
  EXPECT_EQ(at(260, 169), clRed);
  f->Edit1.set_text("8");
  f->Edit3.set_text("3");
  f->coul_crayon = RGB(255, 255, 0);
  stroke({{170, 60}, {180, 64}, {192, 72}, {200, 84}, {204, 98}});
  expect_golden(f.canvas(), "rosette");
}

// The worked spiral (2 turns, factor 0.5) and a longer one of 6 petals,
// 4 turns and factor 0.9 in "vitrail".
TEST_F(Golden, Spiral) {
  f->CheckBox_spirale.set_checked(true);
  f->Edit4.set_text("2");
  f->Edit5.set_text("500");
  worked_segment();
  // The worked copies 2 and 3, radii halved at each: (110, 120)-(110, 95)
  // and (160, 145)-(148, 145), where 387.5 - 240 = 147.5 rounds to 148.
  EXPECT_EQ(at(110, 96), clRed);
  EXPECT_EQ(at(110, 95), clBlack);
  EXPECT_EQ(at(149, 145), clRed);
  EXPECT_EQ(at(148, 145), clBlack);
  f->RadioGroup_symetrie.set_choice(Symetrie::vitrail);
  f->Edit1.set_text("6");
  f->Edit4.set_text("4");
  f->Edit5.set_text("900");
  f->coul_crayon = clAqua;
  stroke({{150, 10}, {140, 16}, {134, 26}, {132, 38}});
  expect_golden(f.canvas(), "spiral");
}

// Three clones 80 pixels apart (screen 320 / (2 x 2)), mirrored, each with
// a shadow band of 6 lines; a second stroke with the sine-shaded shadow.
TEST_F(Golden, ClonesWithShadow) {
  f->RadioGroup_symetrie.set_choice(Symetrie::miroir_vertical);
  f->Edit3.set_text("2");
  f->Edit6.set_text("3");
  ASSERT_EQ(f->nb_clones, 3);
  f->CheckBox_ombre_1.set_checked(true);
  f->Edit7.set_text("6");
  f->coul_crayon = RGB(240, 200, 40);
  stroke({{130, 40}, {120, 60}, {124, 90}, {140, 110}});
  EXPECT_NE(at(130, 41), clBlack);
  EXPECT_NE(at(130 - 80, 41), clBlack);
  EXPECT_NE(at(130 + 80, 41), clBlack);
  f->CheckBox_ombre_2.set_checked(true);
  f->coul_crayon = RGB(60, 120, 250);
  stroke({{100, 150}, {120, 170}, {150, 180}});
  expect_golden(f.canvas(), "clones_shadow");
}

// A closed square drawn in 4 quarters, then "peind j'usqu'à" inside one
// square fills all four, and "peind tant que" fills the background around.
TEST_F(Golden, FillInEveryCopy) {
  f->RadioGroup_symetrie.set_choice(Symetrie::quatre_quarts);
  f->Edit3.set_text("1");
  f->coul_crayon = clWhite;
  stroke({{100, 50}, {140, 50}, {140, 90}, {100, 90}, {100, 50}});
  f->RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_jusqua);
  f->coul_peinture = clRed;
  f->FormMouseDown(mbLeft, {}, 120, 70);
  f->FormMouseUp(mbLeft, {}, 120, 70);
  for (const TPoint& p : {TPoint{120, 70}, TPoint{200, 70}, TPoint{200, 170}, TPoint{120, 170}})
    EXPECT_EQ(at(p.x, p.y), clRed) << p.x << ", " << p.y;
  f->RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_tant_que);
  f->coul_peinture = RGB(0, 0, 255);
  f->FormMouseDown(mbLeft, {}, 10, 10);
  f->FormMouseUp(mbLeft, {}, 10, 10);
  EXPECT_EQ(at(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(at(120, 70), clRed);
  expect_golden(f.canvas(), "fill_every_copy");
}

}  // namespace
}  // namespace korvel
