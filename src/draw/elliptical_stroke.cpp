// The elliptical stroke ("délié elliptique"): a chain of tangent
// quarter-ellipse arcs placed by left clicks, previewed in XOR, ended by a
// right release. Stroke capture hands every event of that trace type here.
//
//        Q (corner) ---------- R (end)         The arc leaves P towards Q
//        |                  .                  and reaches R coming from Q;
//        |             .                       O = P + R - Q is the centre of
//        |         .                           its ellipse. The next arc's
//        |      .                              corner is Q reflected through
//        P   .                                 R, so the chain stays smooth.
//      (start)
//
// Coordinates are 64-bit and arc points are rounded in extended precision;
// a point that does not fit in 32 bits lies far outside the picture and its
// lines are skipped, the canvas clipping everything else.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

#include "app/main_window.h"
#include "draw/replication.h"

namespace korvel {

namespace {

constexpr int kPointsArc = 182;
constexpr std::int32_t kPointsChaine = 100;
// The control point's marker: a circle 2 x 5 pixels across.
constexpr std::int64_t kDemiMarqueur = 5;
// Pen widths of the previews: the first segment, then the arcs' dots.
constexpr int kLargeurApercuSegment = 1;
constexpr std::int32_t kLargeurApercuArc = 3;

// X_i = (P + R - Q) + (Q - R) cos + (Q - P) sin, rounded halves to even;
// nothing when it does not fit in 32 bits. std::rint rounds exactly as
// nearest() does in the default rounding mode, in one instruction instead
// of a library call that saves the floating-point state: it was most of the
// cost of a preview.
std::optional<TPoint> point_arc(const TForm1& f, PointEllipse P, PointEllipse Q, PointEllipse R, int i) {
  const long double c = f.table_cos[std::size_t(i)], s = f.table_sin[std::size_t(i)];
  const long double x = std::rint((long double)(P.x + R.x - Q.x) + (long double)(Q.x - R.x) * c +
                                  (long double)(Q.x - P.x) * s);
  const long double y = std::rint((long double)(P.y + R.y - Q.y) + (long double)(Q.y - R.y) * c +
                                  (long double)(Q.y - P.y) * s);
  if (!fits_in_int32(x) || !fits_in_int32(y)) return std::nullopt;
  return TPoint{std::int32_t(x), std::int32_t(y)};
}

}  // namespace

void TForm1::trace_segment(int x1, int y1, int x2, int y2, TPenMode mode, TColor couleur, int largeur) {
  Canvas& canvas = Image1.canvas();
  canvas.Pen.Width = largeur;
  canvas.Pen.Mode = mode;
  canvas.Pen.Color = couleur;
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

void TForm1::trace_quart_ellipse(PointEllipse P, PointEllipse Q, PointEllipse R, TPenMode mode, TColor couleur,
                                 const ReglagesTrace& trait) {
  // 1.
  if (Q.x == R.x && Q.y == R.y) return;
  // 2.
  Canvas& canvas = Image1.canvas();
  canvas.Pen.Width = trait.epaisseur;
  canvas.Pen.Mode = mode;
  canvas.Pen.Color = couleur;
  // 3.
  std::array<std::optional<TPoint>, kPointsArc> X;
  for (int i = 0; i < kPointsArc; ++i) X[std::size_t(i)] = point_arc(*this, P, Q, R, i);
  // 4. Previews: one dot a point, so drawing them again erases them.
  if (mode == pmXor) {
    for (const auto& p : X)
      if (p) draw_dot(canvas, *p);
    return;
  }
  if (!trait.ombre) {
    for (int i = 1; i < kPointsArc; ++i) {
      const auto &a = X[std::size_t(i - 1)], &b = X[std::size_t(i)];
      if (!a || !b) continue;
      canvas.MoveTo(a->x, a->y);
      canvas.LineTo(b->x, b->y);
    }
    return;
  }
  // Shaded: n dots of diameter n running down-right from each point.
  const std::int32_t n = trait.ombre->largeur;
  for (const auto& p : X)
    for (std::int32_t k = 0; k < n; ++k) {
      canvas.Pen.Color = korvel::rampe_ombre(couleur, n, k, trait.ombre->facon);
      canvas.Pen.Width = n;
      if (const auto d = p ? offset_point(*p, k, k) : std::nullopt) draw_dot(canvas, *d);
    }
}

void TForm1::marque_point_controle() {
  const std::int64_t x = ellipse_ctrl_x, y = ellipse_ctrl_y;
  const std::int64_t d = kDemiMarqueur;
  // A marker beyond the 32-bit range is far outside the picture.
  if (!fits_in_int32(x - d) || !fits_in_int32(x + d) || !fits_in_int32(y - d) || !fits_in_int32(y + d)) return;
  Image1.canvas().Ellipse(int(x - d), int(y - d), int(x + d), int(y + d));
}

void TForm1::deplace_point_controle(PointEllipse C) {
  Canvas& canvas = Image1.canvas();
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Width = 1;
  marque_point_controle();
  ellipse_ctrl_x = C.x;
  ellipse_ctrl_y = C.y;
  marque_point_controle();
}

void TForm1::place_point_controle() {
  if (ellipse_nb < 2) return;
  // The first arc's corner reflected through its end.
  const std::size_t n = std::size_t(ellipse_nb);
  deplace_point_controle({2 * std::int64_t(ellipse_x[n]) - ellipse_x[n - 1],
                          2 * std::int64_t(ellipse_y[n]) - ellipse_y[n - 1]});
}

void TForm1::avance_point_controle() {
  if (ellipse_nb < 1) return;
  // The old corner reflected through the new end. Reflections stay far
  // inside 64 bits: the chain restarts every 100 points.
  const std::size_t n = std::size_t(ellipse_nb);
  deplace_point_controle({2 * std::int64_t(ellipse_x[n]) - ellipse_ctrl_x,
                          2 * std::int64_t(ellipse_y[n]) - ellipse_ctrl_y});
}

void TForm1::apercu_ellipse(std::int32_t nb, PointEllipse M) {
  const std::size_t n = std::size_t(nb);
  const auto pt = [this](std::size_t i) { return PointEllipse{ellipse_x[i], ellipse_y[i]}; };
  if (n == 1) {
    trace_segment(ellipse_x[1], ellipse_y[1], int(M.x), int(M.y), pmXor, coul_crayon, kLargeurApercuSegment);
  } else if (n == 2) {
    trace_quart_ellipse(pt(1), pt(2), M, pmXor, coul_crayon, trait_simple(kLargeurApercuArc));
  } else if (n >= 3) {
    trace_quart_ellipse(pt(n), {ellipse_ctrl_x, ellipse_ctrl_y}, M, pmXor, coul_crayon, trait_simple(kLargeurApercuArc));
  }
}

void TForm1::_FormMouseDown_ellipse(TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbLeft) return;
  // The numbers are read before anything changes: a text that is not an
  // integer stops the press with the picture and the stroke as they were.
  const ReglagesTrace trait = reglages_trace(Reglages::trait);
  // 1.
  if (ellipse_nb == 0) wb();
  // 2.
  ellipse_nb = ellipse_nb + 1 > kPointsChaine ? 1 : ellipse_nb + 1;
  const std::size_t n = std::size_t(ellipse_nb);
  // 4.
  ellipse_x[n] = X;
  ellipse_y[n] = Y;
  // 5. The preview on the picture is the one drawn for the last mouse
  // position; it goes, except at the start of a new chain after point 100.
  const auto pt = [this](std::size_t i) { return PointEllipse{ellipse_x[i], ellipse_y[i]}; };
  if (n == 1) {
    apercu_trace = false;
    return;
  }
  if (apercu_trace) {
    apercu_ellipse(ellipse_nb - 1, {souris_x, souris_y});
    apercu_trace = false;
  }
  if (n == 3) {
    trace_quart_ellipse(pt(1), pt(2), pt(3), pmCopy, coul_crayon, trait);
    place_point_controle();
  } else if (n >= 4) {
    trace_quart_ellipse(pt(n - 1), {ellipse_ctrl_x, ellipse_ctrl_y}, pt(n), pmCopy, coul_crayon, trait);
    avance_point_controle();
  }
}

void TForm1::_FormMouseMove_ellipse(TShiftState, int X, int Y) {
  // 1.
  if (ellipse_nb < 1) return;
  // 2.
  if (apercu_trace)
    apercu_ellipse(ellipse_nb, {souris_x, souris_y});
  else
    apercu_trace = true;
  // 3-4.
  souris_x = X;
  souris_y = Y;
  apercu_ellipse(ellipse_nb, {X, Y});
}

void TForm1::_FormMouseUp_ellipse(TMouseButton Button, TShiftState, int, int) {
  if (Button != mbRight) return;
  // 1. What is erased is the preview on the picture, drawn for the last
  // mouse position.
  if (ellipse_nb >= 1 && apercu_trace) apercu_ellipse(ellipse_nb, {souris_x, souris_y});
  if (ellipse_nb >= 3) {
    Canvas& canvas = Image1.canvas();
    canvas.Pen.Mode = pmXor;
    canvas.Pen.Width = 1;
    marque_point_controle();
    ellipse_ctrl_x = kSansPointControle;
    ellipse_ctrl_y = kSansPointControle;
  }
  // 2-3.
  ellipse_nb = 0;
  apercu_trace = false;
  wb();
}

}  // namespace korvel
