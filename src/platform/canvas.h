#pragma once
// The picture's canvas with the raster rules of the Windows GDI on a 32-bit
// bitmap: sixteen binary raster modes, lines without their end pixel, round
// wide pens, midpoint ellipses, span flood fills. Coordinates may lie anywhere
// in the 32-bit range; everything is clipped to the bitmap before stepping.
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "platform/bitmap.h"
#include "platform/colour.h"
#include "platform/geometry.h"
#include "platform/line_batch.h"
#include "platform/raster_op.h"

namespace korvel {

class FillSeries;

enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TBrushStyle : std::uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum TFillStyle : std::uint8_t { fsSurface, fsBorder };

// Defaults are the platform's for a new canvas.
struct TPen {
  TColor Color = clBlack;
  int Width = 1;         // 0 and 1 both draw one pixel wide
  TPenStyle Style = psSolid;  // kept; only solid is drawn
  TPenMode Mode = pmCopy;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;  // only bsSolid fills; other styles fill nothing
};

class Canvas {
 public:
  class DeferredLines;

  Canvas() = default;
  // A new canvas over a bitmap of that size, every pixel `colour`.
  Canvas(int width, int height, TColor colour = clBlack);
  explicit Canvas(Bitmap bitmap);

  TPen Pen;
  TBrush Brush;

  int width() const { return m_surface.bitmap().width(); }
  int height() const { return m_surface.bitmap().height(); }
  const Bitmap& bitmap() const {
    settle();
    return m_surface.bitmap();
  }

  // Sets the current position only.
  void MoveTo(int x, int y);
  // Draws from the current position to (x, y) with Pen, the end pixel excluded
  // for thin pens, each pixel combined once; then the position is (x, y).
  void LineTo(int x, int y);
  TPoint PenPos() const { return m_pen_pos; }
  // A band of colours.size() lines of the pen's width and mode, each one
  // pixel right of and below the one before:
  //
  //   from ------- to          line 0
  //     from+1 ------- to+1    line 1, and so on
  //
  // Line i is drawn in colours[i]. The same as setting Pen.Color and calling
  // MoveTo and LineTo for each line in turn, and it leaves the same: Pen.Color
  // the last colour, the pen at the last line's end. A line whose ends do
  // not fit in 32 bits is left out (the pen stays). Among deferred lines a
  // band is queued as one item, and in the modes that overwrite only its
  // visible part is drawn.
  void draw_band(TPoint from, TPoint to, std::span<const TColor> colours);

  // Box normalised, right and bottom excluded. Brush inside (outline included)
  // through Pen.Mode, then the outline with Pen.
  void Ellipse(int left, int top, int right, int bottom);
  // Brush.Color copied into [left, right) x [top, bottom), whatever Pen.Mode.
  void FillRect(int left, int top, int right, int bottom);
  // The colour at (x, y), clInvalid outside the picture.
  TColor Pixels(int x, int y) const;
  // fsSurface: the 4-connected area of pixels equal to `colour` around (x, y);
  // fsBorder: the 4-connected area of pixels not equal to `colour`. Painted
  // once with Brush.Color through Pen.Mode. Nothing when (x, y) does not qualify.
  void FloodFill(int x, int y, TColor colour, TFillStyle style);
  // Plain copy of `bitmap` with its top-left corner at (x, y), clipped.
  void Draw(int x, int y, const Bitmap& bitmap);

  // The colour of every pixel while the picture is as it was made in one
  // colour; none once anything has been drawn on it.
  std::optional<TColor> uniform_colour() const;

  // The rectangle changed since the last call, then forgets it.
  Rect take_changed() { return take_changed_area().bounds(); }
  // The same with the places within it that changed.
  ChangedArea take_changed_area();
  // The rectangle changed so far, kept.
  const Rect& changed() const {
    settle();
    return m_surface.changed().bounds();
  }

  // The threads that draw deferred lines (see DeferredLines); none draws
  // every line at once even when deferred, the plain path. The default is
  // LineThreads::machine_default().
  LineThreads line_threads() const { return m_lines.threads(); }
  void set_line_threads(LineThreads threads);

 private:
  friend class FillSeries;  // paints the areas of a series of fills

  class Write;
  // The bitmap with what is known of it: the area changed since it was
  // last taken, and its one colour while it has one. Its pixels are reached
  // for writing only through a Write, which keeps the three in step.
  class Surface {
   public:
    Surface() = default;
    Surface(Bitmap bitmap, std::optional<TColor> uniform);
    const Bitmap& bitmap() const { return m_bitmap; }
    const ChangedArea& changed() const { return m_changed; }
    std::optional<TColor> uniform() const { return m_uniform; }
    ChangedArea take_changed() { return std::exchange(m_changed, ChangedArea{}); }

   private:
    friend class Write;
    Bitmap m_bitmap;
    ChangedArea m_changed;
    std::optional<TColor> m_uniform;
  };

  // The one way to change pixels. Made, it draws the deferred lines; while
  // it lives, a primitive writes through bitmap() and notes in touched()
  // what it wrote; ended, that is added to the changed area, and a
  // picture touched is no longer one colour. Nothing that draws can skip a
  // step: the bitmap cannot be had for writing any other way.
  class Write {
   public:
    explicit Write(Canvas& canvas);
    ~Write();
    Write(const Write&) = delete;
    Write& operator=(const Write&) = delete;
    Bitmap& bitmap() { return m_surface.m_bitmap; }
    Rect& touched() { return m_touched; }

   private:
    Surface& m_surface;
    Rect m_touched;
  };

  // Draws the deferred lines before anything reads the picture. (Lines
  // are only queued through a non-const canvas.)
  void settle() const {
    if (!m_lines.empty()) Write{const_cast<Canvas&>(*this)};
  }

  Surface m_surface;
  TPoint m_pen_pos;
  LineBatch m_lines;
};

// While one lives, LineTo only queues its line (the pen position moves at
// once); the queue is drawn when full, when the last one ends, and before
// anything else reads or changes the picture. Lines are drawn by bands of
// rows, each band by one thread drawing every line in order, so each pixel
// sees the same writes in the same order as if each line had been drawn at
// its call: the picture and the changed rectangle are the same whatever the
// number of threads.
class Canvas::DeferredLines {
 public:
  explicit DeferredLines(Canvas& canvas) : m_canvas(canvas) { m_canvas.m_lines.open(); }
  ~DeferredLines() {
    if (m_canvas.m_lines.close()) m_canvas.settle();
  }
  DeferredLines(const DeferredLines&) = delete;
  DeferredLines& operator=(const DeferredLines&) = delete;

 private:
  Canvas& m_canvas;
};

// A dot of the pen's width at p: MoveTo and LineTo on the same point.
inline void draw_dot(Canvas& canvas, TPoint p) {
  canvas.MoveTo(p.x, p.y);
  canvas.LineTo(p.x, p.y);
}

}  // namespace korvel
