// A series of fills against the same fills put on the canvas one after the
// other: every mode, both fill styles, one-colour and drawn pictures, points
// on lines, inside areas and outside the picture. The pixels, the colours
// read between fills and the changed rectangle must match.
#include "platform/fill_series.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/canvas_test_support.h"

namespace korvel::testing {
namespace {

// The brush and its complement, black and white: every raster mode maps
// these four onto themselves, so a painted area often takes the colour of a
// neighbour and the two become one.
constexpr TColor kBrush = 0x3366CC;
constexpr TColor kPalette[] = {clBlack, clWhite, kBrush, kBrush ^ 0xFFFFFF};

enum class Picture { fresh, one_colour, lines, grid, noise };

Canvas picture(Picture kind, int w, int h, std::mt19937& rng) {
  Canvas c(w, h, kind == Picture::fresh ? clBlack : kPalette[rng() % 4]);
  c.Brush.Color = c.Pixels(0, 0);
  if (kind == Picture::one_colour) c.FillRect(0, 0, w, h);  // same colour, but no longer known to be
  if (kind == Picture::lines) {
    for (int i = 0; i < 14; ++i) {
      c.Pen.Color = kPalette[rng() % 4];
      c.Pen.Width = 1 + int(rng() % 3);
      c.MoveTo(int(rng() % unsigned(w)), int(rng() % unsigned(h)));
      c.LineTo(int(rng() % unsigned(w)), int(rng() % unsigned(h)));
    }
  }
  if (kind == Picture::grid) {
    c.Pen.Color = kPalette[1 + rng() % 3];
    for (int x = 3; x < w; x += 7) c.MoveTo(x, 0), c.LineTo(x, h);
    for (int y = 5; y < h; y += 6) c.MoveTo(0, y), c.LineTo(w, y);
  }
  if (kind == Picture::noise) c.Draw(0, 0, random_bitmap(w, h, rng, 4));
  c.take_changed();
  return c;
}

// A press's points: a shrinking spiral about a centre, which repeats its
// last point many times, with points beyond the edges now and then.
std::vector<TPoint> points(int w, int h, std::mt19937& rng, int count) {
  std::vector<TPoint> out;
  const double cx = rng() % unsigned(w), cy = rng() % unsigned(h);
  double r = (w + h) / 2.0, a = 0;
  for (int i = 0; i < count; ++i) {
    if (rng() % 10 == 0)
      out.push_back({int(rng() % unsigned(3 * w)) - w, int(rng() % unsigned(3 * h)) - h});
    else
      out.push_back({int(std::lround(cx + r * std::sin(a))), int(std::lround(cy + r * std::cos(a)))});
    a += 2.4;
    r *= 0.9;
  }
  return out;
}

struct Outcome {
  Bitmap bitmap;
  Rect changed;
  std::vector<TColor> read;  // the colour under each point before its fill
};

// "peind tant que" (surface) or "peind jusqu'à" (border, up to `border`),
// through `fill` and `pixels`: the canvas's own or a series'.
template <class Pixels, class Fill>
void press(Canvas& c, const std::vector<TPoint>& at, TFillStyle style, TColor border, TPenMode mode, std::mt19937& rng,
           std::vector<TColor>& read, Pixels pixels, Fill fill) {
  c.Pen.Mode = mode;
  c.Brush.Color = kBrush;
  for (const TPoint& p : at) {
    if (rng() % 16 == 0) c.Brush.Color = kPalette[rng() % 4];  // a fill may change the brush
    const TColor under = pixels(p.x, p.y);
    read.push_back(under);
    if (style == fsBorder)
      fill(p.x, p.y, border, fsBorder);
    else if (under != border)  // the call's colour: nothing painted there
      fill(p.x, p.y, under, fsSurface);
  }
}

Outcome plain_press(Canvas c, const std::vector<TPoint>& at, TFillStyle style, TColor border, TPenMode mode,
                    unsigned seed) {
  std::mt19937 rng(seed);
  Outcome o;
  press(c, at, style, border, mode, rng, o.read, [&](int x, int y) { return c.Pixels(x, y); },
        [&](int x, int y, TColor colour, TFillStyle s) { c.FloodFill(x, y, colour, s); });
  o.changed = c.take_changed();
  o.bitmap = c.bitmap();
  return o;
}

Outcome series_press(Canvas c, const std::vector<TPoint>& at, TFillStyle style, TColor border, TPenMode mode,
                     unsigned seed, std::int64_t expected, bool* by_areas) {
  std::mt19937 rng(seed);
  Outcome o;
  {
    FillSeries series(c, expected);
    press(c, at, style, border, mode, rng, o.read, [&](int x, int y) { return series.Pixels(x, y); },
          [&](int x, int y, TColor colour, TFillStyle s) { series.FloodFill(x, y, colour, s); });
    *by_areas = series.by_areas();
  }
  o.changed = c.take_changed();
  o.bitmap = c.bitmap();
  return o;
}

TEST(FillSeries, EveryModeAndStyleGivesWhatTheFillsGiveOneAfterTheOther) {
  std::mt19937 rng(25);
  int by_areas = 0, cases = 0;
  for (const Picture kind : {Picture::fresh, Picture::one_colour, Picture::lines, Picture::grid, Picture::noise})
    for (int mode = 0; mode < 16; ++mode)
      for (const TFillStyle style : {fsSurface, fsBorder})
        for (int round = 0; round < 3; ++round) {
          const int w = 20 + int(rng() % 60), h = 10 + int(rng() % 40);
          const Canvas start = picture(kind, w, h, rng);
          const std::vector<TPoint> at = points(w, h, rng, 20 + int(rng() % 80));
          const TColor border = kPalette[rng() % 4];
          const unsigned seed = rng();
          // Short series fill plainly until their fills add up to a picture.
          const std::int64_t expected = round == 0 ? 8 : std::int64_t(at.size());
          const std::string what = "picture " + std::to_string(int(kind)) + " mode " + std::to_string(mode) +
                                   " style " + std::to_string(style) + " round " + std::to_string(round);
          const Outcome want = plain_press(start, at, style, border, TPenMode(mode), seed);
          bool areas = false;
          const Outcome got = series_press(start, at, style, border, TPenMode(mode), seed, expected, &areas);
          ASSERT_EQ(got.read, want.read) << what;
          ASSERT_TRUE(got.bitmap == want.bitmap) << what << ": " << differing(got.bitmap, want.bitmap).size()
                                                 << " pixels differ";
          ASSERT_EQ(got.changed, want.changed) << what;
          by_areas += areas;
          ++cases;
        }
  // The areas were at work in a good part of the cases.
  EXPECT_GT(by_areas, cases / 5);
}

// A fill whose area grew since the last fill there (it took a neighbour's
// colour and joined it) covers the larger area.
TEST(FillSeries, AnAreaThatJoinedItsNeighbourIsFilledWhole) {
  // Stripes: black, the brush colour, white. Two XOR fills in the white
  // add up to a picture's worth, after which the series goes by areas; then
  // XOR turns the black stripe into the brush colour, joined to the middle,
  // and the next fill at the same point turns both black.
  Canvas start(20, 10, clBlack);
  start.Brush.Color = kBrush;
  start.FillRect(3, 0, 6, 10);
  start.Brush.Color = clWhite;
  start.FillRect(6, 0, 20, 10);
  start.take_changed();
  std::vector<TPoint> at(40, TPoint{1, 1});
  at[0] = at[1] = TPoint{10, 5};
  bool areas = false;
  const Outcome got = series_press(start, at, fsSurface, clRed, pmXor, 1, 8, &areas);
  const Outcome want = plain_press(start, at, fsSurface, clRed, pmXor, 1);
  EXPECT_TRUE(areas);
  EXPECT_TRUE(got.bitmap == want.bitmap);
  EXPECT_EQ(got.changed, want.changed);
  EXPECT_EQ(got.read, want.read);
}

TEST(FillSeries, APictureOfOneColourIsFilledWholeWithoutCuttingItIntoAreas) {
  for (const TFillStyle style : {fsSurface, fsBorder}) {
    Canvas start(64, 48, clBlack);
    const std::vector<TPoint> at(481, TPoint{10, 10});
    bool areas = false;
    const Outcome got = series_press(start, at, style, clRed, pmXor, 2, 481, &areas);
    const Outcome want = plain_press(start, at, style, clRed, pmXor, 2);
    EXPECT_FALSE(areas);
    EXPECT_TRUE(got.bitmap == want.bitmap);
    EXPECT_EQ(got.changed, (Rect{0, 0, 64, 48}));
    EXPECT_NE(got.bitmap.colour_at(0, 0), clBlack);  // an odd number of XOR fills took
  }
}

}  // namespace
}  // namespace korvel::testing
