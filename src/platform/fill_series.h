#pragma once
// The flood fills of one paint press: hundreds of them, at the points of a
// spiral, most over the same areas again and again. Each fill gives exactly
// what Canvas::FloodFill gives at its turn (the picture, and the changed
// rectangle once the series ends), but a fill over a large area costs no
// more than one over a small one.
//
// While the picture is one colour, a fill covers all of it or none of it, and
// the series only keeps that colour. Otherwise the fills go to the canvas one
// by one until together they have painted about a picture's worth of pixels;
// then the picture is cut into areas of one colour (4-connected, as the
// fills see them), and each fill recolours a whole area at once: a surface
// fill the one area under its point, which then joins the neighbours of its
// new colour; a border fill every area it reaches up to the border colour.
// The areas' final colours reach the pixels when the series ends.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/canvas.h"

namespace korvel {

class FillSeries {
 public:
  // `fills_expected`: how many fills are to come. Only a long series looks
  // at every pixel first to see whether the picture is one colour.
  FillSeries(Canvas& canvas, std::int64_t fills_expected);
  // Puts the areas' colours on the picture.
  ~FillSeries();
  FillSeries(const FillSeries&) = delete;
  FillSeries& operator=(const FillSeries&) = delete;

  // Canvas::Pixels as the fills so far have left it.
  TColor Pixels(int x, int y);
  // Canvas::FloodFill with the canvas's Brush and Pen.Mode of the moment.
  void FloodFill(int x, int y, TColor colour, TFillStyle style);
  // Whether the fills go by areas now (for tests of that path).
  bool by_areas() const { return m_path == Path::areas; }

 private:
  enum class Path { undecided, plain, one_colour, areas };
  void choose_path();
  void plain_fill(int x, int y, TColor colour, TFillStyle style);
  // Cuts the picture into areas; false (and nothing kept) when there are
  // too many of them to be worth it.
  bool cut_into_areas();
  // The area (a root run) holding (x, y), inside the picture.
  int area_at(int x, int y);
  int find(int run);
  int unite(int a, int b);
  // The areas next to area `a`, each once, into its list.
  void list_neighbours(int a);
  void surface_fill(int a, const RasterOp& op);
  void border_fill(int a, std::uint32_t border, const RasterOp& op);
  void paint_areas(Bitmap& bitmap);

  Canvas& m_canvas;
  std::int64_t m_fills_expected;
  Path m_path = Path::undecided;
  std::int64_t m_plain_work = 0;  // pixels within the plain fills' rectangles
  bool m_areas_refused = false;
  // Path::one_colour: the picture's colour at the start and now.
  std::uint32_t m_first_colour = 0, m_colour = 0;
  Rect m_changed;  // what the series changed, handed to the canvas at its end

  // Path::areas: the picture's areas of one colour (see the .cpp). Their
  // storage is kept per thread between series: a press is done in a few
  // milliseconds, which allocating it anew would double.
  struct Areas;
  std::unique_ptr<Areas> m_areas;
  static thread_local std::unique_ptr<Areas> s_spare_areas;
};

}  // namespace korvel
