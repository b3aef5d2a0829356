// The elliptical stroke through a started window: clicks, moves and the
// right release on the picture, checked on the canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>

#include "app/choices.h"
#include "colour/colour_generation.h"
#include "draw/reglages_trace.h"
#include "platform/dispatch.h"
#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

constexpr TColor kVert = 0x008000;

struct EllipticalStroke : ::testing::Test {
  StartedForm f{400, 300};
  void SetUp() override {
    f->Edit3.set_text("1");
    f->RadioGroup_symetrie.set_item_index(int(Symetrie::unique));
    f->RadioGroup_type_trace.set_item_index(int(TypeTrace::delie_elliptique));
    ASSERT_EQ(f->coul_crayon, kVert);
  }
  // A left click where the mouse has just moved, as a person makes it.
  void click(int x, int y) {
    f->FormMouseMove(0, x, y);
    f->FormMouseDown(mbLeft, ssLeft, x, y);
    f->FormMouseUp(mbLeft, 0, x, y);
  }
  void wander(int x, int y) {
    // Saturated, so that moves near the 32-bit limits stay in range.
    const auto near = [](long long v) { return int(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    for (int i = 0; i < 4; ++i) f->FormMouseMove(0, near(x + 7LL * i), near(y - 5LL * i));
  }
  void end(int x, int y) {
    f->FormMouseMove(0, x, y);
    f->FormMouseDown(mbRight, ssRight, x, y);
    f->FormMouseUp(mbRight, 0, x, y);
  }
  // Random colours everywhere, so an XOR left behind shows.
  void noisy_picture() {
    std::mt19937 rng(7);
    Bitmap b(f.canvas().width(), f.canvas().height());
    for (int y = 0; y < b.height(); ++y)
      for (int x = 0; x < b.width(); ++x) b.set_colour(x, y, rng() & 0xFFFFFF);
    f.canvas().Draw(0, 0, b);
  }
  std::size_t snapshots() {
    f->attend_instantane();
    return f.files.writes.size();
  }
};

// Distance of (x, y) from the circle of radius 100 about (cx, cy).
double off_circle(int x, int y, int cx, int cy) { return std::abs(std::hypot(x - cx, y - cy) - 100.0); }

TEST_F(EllipticalStroke, ThreeClicksDrawTheWorkedQuarterCircle) {
  click(0, 0);
  EXPECT_EQ(snapshots(), 1u);
  wander(50, 50);
  click(100, 0);
  wander(120, 60);
  click(100, 100);
  EXPECT_EQ(f->ellipse_ctrl_x, 100);
  EXPECT_EQ(f->ellipse_ctrl_y, 200);
  wander(150, 150);
  end(150, 150);
  EXPECT_EQ(snapshots(), 2u);
  EXPECT_EQ(f->ellipse_nb, 0);
  EXPECT_EQ(f->ellipse_ctrl_x, -50);

  // The arc of (0, 100) from (0, 0) to (100, 100), middle point near
  // (70, 29), the end pixel left out; nothing else on the picture.
  const Canvas& c = f.canvas();
  EXPECT_EQ(c.Pixels(0, 0), kVert);
  EXPECT_EQ(c.Pixels(70, 29), kVert);
  EXPECT_EQ(c.Pixels(100, 100), clBlack);
  int lit = 0;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      const TColor p = c.Pixels(x, y);
      if (p == clBlack) continue;
      ASSERT_EQ(p, kVert) << x << "," << y;
      EXPECT_LT(off_circle(x, y, 0, 100), 1.0) << x << "," << y;
      EXPECT_TRUE(x <= 100 && y <= 100);
      ++lit;
    }
  EXPECT_GE(lit, 140);  // a connected arc about 157 pixels long
  EXPECT_LE(lit, 200);
}

TEST_F(EllipticalStroke, AFourthClickContinuesTangentlyThroughTheReflectedCorner) {
  click(0, 0);
  click(100, 0);
  click(100, 100);
  wander(10, 190);
  click(0, 200);
  // Corner (100, 200): the quarter circle of (0, 100) from (100, 100) down
  // to (0, 200); the next corner is (100, 200) reflected through (0, 200).
  EXPECT_EQ(f->ellipse_ctrl_x, -100);
  EXPECT_EQ(f->ellipse_ctrl_y, 200);
  end(0, 200);
  const Canvas& c = f.canvas();
  EXPECT_EQ(c.Pixels(71, 170), kVert);  // the middle point (71.0, 170.4)
  for (int y = 101; y < 200; ++y)
    for (int x = 0; x <= 100; ++x)
      if (c.Pixels(x, y) != clBlack) {
        EXPECT_LT(off_circle(x, y, 0, 100), 1.0) << x << "," << y;
      }
}

TEST_F(EllipticalStroke, TwoClicksAndARightReleaseLeaveThePictureAsItWas) {
  noisy_picture();
  const Bitmap before = f.canvas().bitmap();
  click(30, 40);
  wander(90, 80);
  click(200, 50);
  wander(250, 200);
  wander(10, 290);
  end(300, 250);
  EXPECT_EQ(f.canvas().bitmap(), before);
  EXPECT_EQ(snapshots(), 2u);
}

// Clicks made where the mouse last moved, and clicks whose press comes
// elsewhere (moves dropped on the way): the preview erased is always the one
// on the picture, so only the arcs stay.
TEST_F(EllipticalStroke, PreviewsAndMarkersLeaveOnlyTheArcs) {
  noisy_picture();
  auto& g = f.canvas();
  const Bitmap before = g.bitmap();
  // The same arcs drawn directly, without any preview.
  const std::vector<TPoint> clicks = {{20, 20}, {150, 30}, {180, 150}, {60, 250}, {300, 280}};
  PointEllipse P{20, 20}, Q{150, 30}, R{180, 150};
  f->trace_quart_ellipse(P, Q, R, pmCopy, kVert, trait_simple(1));
  for (std::size_t i = 3; i < clicks.size(); ++i) {
    const PointEllipse C{2 * R.x - Q.x, 2 * R.y - Q.y}, D{clicks[i].x, clicks[i].y};
    f->trace_quart_ellipse(R, C, D, pmCopy, kVert, trait_simple(1));
    Q = C;
    R = D;
  }
  const Bitmap arcs = g.bitmap();

  for (const bool press_where_last_moved : {true, false}) {
    g.Draw(0, 0, before);
    click(20, 20);
    for (std::size_t i = 1; i < clicks.size(); ++i) {
      wander(clicks[i].x - 40, clicks[i].y + 20);
      if (press_where_last_moved) {
        click(clicks[i].x, clicks[i].y);
      } else {
        f->FormMouseDown(mbLeft, ssLeft, clicks[i].x, clicks[i].y);
        f->FormMouseUp(mbLeft, 0, clicks[i].x, clicks[i].y);
      }
    }
    wander(390, 10);
    if (press_where_last_moved) {
      end(390, 10);
    } else {
      f->FormMouseDown(mbRight, ssRight, 200, 120);
      f->FormMouseUp(mbRight, 0, 200, 120);
    }
    EXPECT_EQ(g.bitmap(), arcs) << (press_where_last_moved ? "pressed where last moved" : "pressed elsewhere");
  }
}

TEST_F(EllipticalStroke, ACornerEqualToTheEndDrawsNothingAndLeavesThePen) {
  f.canvas().Pen.Width = 9;
  f.canvas().take_changed();
  f->trace_quart_ellipse({10, 10}, {50, 50}, {50, 50}, pmCopy, kVert, trait_simple(4));
  EXPECT_EQ(f.canvas().Pen.Width, 9);
  EXPECT_EQ(f.canvas().changed(), Rect{});
}

TEST_F(EllipticalStroke, ARightClickWithoutAStrokeStillWritesASnapshot) {
  end(10, 10);
  EXPECT_EQ(snapshots(), 1u);
  EXPECT_EQ(f.canvas().bitmap(), Bitmap(400, 300));
}

TEST_F(EllipticalStroke, OtherButtonsDoNothing) {
  f->FormMouseDown(mbMiddle, 0, 5, 5);
  f->FormMouseDown(mbRight, 0, 5, 5);
  EXPECT_EQ(f->ellipse_nb, 0);
  click(5, 5);
  f->FormMouseUp(mbMiddle, 0, 5, 5);
  EXPECT_EQ(f->ellipse_nb, 1);
  EXPECT_EQ(snapshots(), 1u);
}

TEST_F(EllipticalStroke, ShadowBoxesDrawShadedDotsAndIgnoreTheThickness) {
  f->CheckBox_ombre_1.set_checked(true);
  f->Edit7.set_text("12");
  const auto arc = [&](const char* thickness) {
    f.canvas().Draw(0, 0, Bitmap(400, 300));
    f->Edit3.set_text(thickness);
    f->trace_quart_ellipse({20, 20}, {120, 20}, {120, 120}, pmCopy, kVert, f->reglages_trace(Reglages::trait));
    return f.canvas().bitmap();
  };
  const Bitmap thin = arc("1");
  EXPECT_EQ(arc("40"), thin);
  // The last dot of the last point: step 11 of 12, squared by "ombre 1".
  EXPECT_EQ(thin.colour_at(131, 131), rampe_ombre(kVert, 12, 11, {.carre = true}));
  EXPECT_EQ(thin.colour_at(120 + 18, 131), clBlack);  // dots of diameter 12 only
}

TEST_F(EllipticalStroke, TheSymmetryDoesNotReplicateIt) {
  const auto stroke = [&](Symetrie s) {
    f.canvas().Draw(0, 0, Bitmap(400, 300));
    f->RadioGroup_symetrie.set_item_index(int(s));
    click(20, 20);
    click(120, 20);
    click(120, 120);
    end(120, 120);
    return f.canvas().bitmap();
  };
  EXPECT_EQ(stroke(Symetrie::rosace), stroke(Symetrie::unique));
  EXPECT_EQ(stroke(Symetrie::quatre_quarts), stroke(Symetrie::unique));
}

TEST_F(EllipticalStroke, TheHundredAndFirstClickStartsANewChainInTheSameStroke) {
  for (int i = 0; i < 100; ++i) click(10 + 3 * i, 10 + (i % 7) * 20);
  EXPECT_EQ(f->ellipse_nb, 100);
  click(50, 60);
  EXPECT_EQ(f->ellipse_nb, 1);
  EXPECT_EQ(f->ellipse_x[1], 50);
  EXPECT_EQ(f->ellipse_y[1], 60);
  EXPECT_EQ(snapshots(), 1u);
  click(90, 60);
  EXPECT_EQ(f->ellipse_nb, 2);
}

TEST_F(EllipticalStroke, ABadThicknessStopsThePressWithNothingChanged) {
  noisy_picture();
  const Bitmap before = f.canvas().bitmap();
  click(30, 30);
  wander(100, 40);
  click(130, 40);
  wander(140, 90);
  f->Edit3.set_text("1-2");
  dispatch(f.desktop, [&] { f->FormMouseDown(mbLeft, ssLeft, 140, 90); });
  ASSERT_EQ(f.desktop.errors, std::vector<std::string>{"'1-2' n'est pas une valeur entière correcte"});
  EXPECT_EQ(f->ellipse_nb, 2);
  f->Edit3.set_text("1");
  f->CheckBox_ombre_2.set_checked(true);
  f->Edit7.set_text("--");
  dispatch(f.desktop, [&] { f->FormMouseDown(mbLeft, ssLeft, 140, 90); });
  EXPECT_EQ(f.desktop.errors.size(), 2u);
  EXPECT_EQ(f->ellipse_nb, 2);
  // The stroke goes on and ends with nothing left of its previews.
  wander(200, 200);
  end(200, 200);
  EXPECT_EQ(f.canvas().bitmap(), before);
}

TEST_F(EllipticalStroke, PointsFarOutsideAreClippedWithoutOverflow) {
  noisy_picture();
  const Bitmap before = f.canvas().bitmap();
  click(-5, -5);
  wander(INT_MAX - 10, 3);
  click(INT_MAX, 0);
  wander(INT_MIN, INT_MIN);
  end(INT_MIN, INT_MAX);
  EXPECT_EQ(f.canvas().bitmap(), before);
  // Arcs whose corners the reflections throw past 32 bits.
  click(399, 299);
  click(INT_MIN, INT_MIN);
  click(INT_MAX, INT_MAX);
  click(INT_MIN, 0);
  click(200, 150);
  wander(INT_MAX, INT_MIN);
  end(INT_MAX, INT_MIN);
  EXPECT_GE(f->ellipse_ctrl_x, -50);  // reset
  EXPECT_EQ(f->ellipse_nb, 0);
}

TEST_F(EllipticalStroke, ChainsEndedBeforeTheirFirstArcLeaveNoTraceWherever) {
  noisy_picture();
  const Bitmap before = f.canvas().bitmap();
  std::mt19937 rng(99);
  // Near the picture most of the time, anywhere in 32 bits now and then.
  const auto coordinate = [&](int extent) {
    return rng() % 4 == 0 ? int(std::int32_t(rng())) : int(rng() % unsigned(extent + 40)) - 20;
  };
  for (int stroke = 0; stroke < 60; ++stroke) {
    const int clicks = 1 + int(rng() % 2);
    for (int c = 0; c < clicks; ++c) {
      for (int m = 0; m < 3; ++m) f->FormMouseMove(0, coordinate(400), coordinate(300));
      const int x = coordinate(400), y = coordinate(300);
      f->FormMouseMove(0, x, y);
      f->FormMouseDown(mbLeft, ssLeft, x, y);
    }
    f->FormMouseMove(0, coordinate(400), coordinate(300));
    end(coordinate(400), coordinate(300));
    ASSERT_EQ(f.canvas().bitmap(), before) << "stroke " << stroke;
  }
}

// Random arcs about the picture follow their ellipse, O + (Q - R) cos t +
// (Q - P) sin t for t from 0 to pi/2: every pixel drawn lies on it within
// the rounding of the points and of the lines, and no stretch of it inside
// the picture is left out.
TEST_F(EllipticalStroke, ArcsFollowTheirEllipse) {
  std::mt19937 rng(5);
  const auto coordinate = [&](int extent) { return std::int64_t(rng() % unsigned(extent + 40)) - 20; };
  for (int arc = 0; arc < 60; ++arc) {
    const PointEllipse P{coordinate(400), coordinate(300)}, Q{coordinate(400), coordinate(300)},
        R{coordinate(400), coordinate(300)};
    if (Q.x == R.x && Q.y == R.y) continue;
    f.canvas().Draw(0, 0, Bitmap(400, 300));
    f->trace_quart_ellipse(P, Q, R, pmCopy, kVert, trait_simple(1));
    std::vector<std::pair<double, double>> curve;
    for (int i = 0; i <= 8000; ++i) {
      const double t = i * 1.5707963267948966 / 8000, c = std::cos(t), s = std::sin(t);
      curve.emplace_back(double(P.x + R.x - Q.x) + double(Q.x - R.x) * c + double(Q.x - P.x) * s,
                         double(P.y + R.y - Q.y) + double(Q.y - R.y) * c + double(Q.y - P.y) * s);
    }
    // Each pixel's distance to the curve, and whether one near it is lit.
    std::vector<double> distance(400 * 300, 1e9);
    for (const auto& [x, y] : curve) {
      bool lit = false;
      for (int py = int(std::floor(y)) - 2; py <= int(std::floor(y)) + 3; ++py)
        for (int px = int(std::floor(x)) - 2; px <= int(std::floor(x)) + 3; ++px) {
          if (px < 0 || py < 0 || px >= 400 || py >= 300) continue;
          const double d = std::hypot(px - x, py - y);
          distance[std::size_t(py * 400 + px)] = std::min(distance[std::size_t(py * 400 + px)], d);
          lit = lit || (d <= 1.5 && f.canvas().Pixels(px, py) == kVert);
        }
      if (x >= 2 && y >= 2 && x < 398 && y < 298) {
        ASSERT_TRUE(lit) << "arc " << arc << " misses " << x << "," << y;
      }
    }
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 400; ++x)
        if (f.canvas().Pixels(x, y) == kVert) {
          ASSERT_LE(distance[std::size_t(y * 400 + x)], 1.25) << "arc " << arc << " at " << x << "," << y;
        }
  }
}

}  // namespace
}  // namespace korvel
