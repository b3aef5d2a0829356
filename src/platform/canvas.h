#pragma once
// The picture's canvas with the raster rules of the Windows GDI on a 32-bit
// bitmap: sixteen binary raster modes, lines without their end pixel, round
// wide pens, midpoint ellipses, span flood fills. Coordinates may lie anywhere
// in the 32-bit range; everything is clipped to the bitmap before stepping.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/bitmap.h"
#include "platform/colour.h"
#include "platform/geometry.h"

namespace korvel {

namespace detail {
class SpanWriter;
}
class FillSeries;

// Ordinals are those of the platform: 0 pmBlack ... 15 pmNotXor.
enum TPenMode : std::uint8_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
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

// The raster mode as D' = (D & and_mask) ^ xor_mask on the 24 colour bits.
struct RasterOp {
  std::uint32_t and_mask;
  std::uint32_t xor_mask;
  std::uint32_t apply(std::uint32_t d) const { return (d & and_mask) ^ xor_mask; }
};
// `pen_pixel` is in buffer order 0x00RRGGBB; the result's masks keep the top byte 0.
RasterOp raster_op(TPenMode mode, std::uint32_t pen_pixel);
// True when, in this mode, any sequence of lines and ellipses (whose pixels
// do not depend on the picture) drawn a second time changes no pixel,
// whatever their colours: every bit is either kept or set
// to a value that depends on the pen only (pmCopy, pmMerge, pmMask... but
// not pmXor or pmNot).
bool repeats_harmlessly(TPenMode mode);

class Canvas {
 public:
  class DeferredLines;

  Canvas() = default;
  // A new canvas over a bitmap of that size, every pixel `colour`.
  Canvas(int width, int height, TColor colour = clBlack);
  explicit Canvas(Bitmap bitmap);

  TPen Pen;
  TBrush Brush;

  int width() const { return m_bitmap.width(); }
  int height() const { return m_bitmap.height(); }
  const Bitmap& bitmap() const {
    settle();
    return m_bitmap;
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
  Rect take_changed();
  // The rectangle changed so far, kept.
  const Rect& changed() const {
    settle();
    return m_changed;
  }

  // The threads that draw deferred lines (see DeferredLines), 1 to 64; 0
  // draws every line at once even when deferred, the plain path. The default
  // is one less than the processor's cores, at least 1 and at most 8.
  int line_threads() const { return m_line_threads; }
  void set_line_threads(int threads);

 private:
  friend class FillSeries;  // paints the areas of a series of fills

  // A line waiting to be drawn, with the pen it was given and the rows of
  // the picture it may touch (first > last: none); or a band of `lines`
  // lines (see draw_band) from `from` to `to`, whose raster ops are
  // m_band_ops[first_op] on.
  struct QueuedLine {
    TPoint from, to;
    int width;
    int first_row, last_row;
    RasterOp op;
    int lines = 1;
    std::uint32_t first_op = 0;
  };
  // Lines queued before they are drawn: about half a megabyte.
  static constexpr std::size_t kQueuedLines = 16384;
  // Queues the line (or band) unless it touches no row of the picture; draws
  // the queue when full.
  void queue(QueuedLine line);
  // Draws one queued line or band within the writer's rows.
  void draw_queued_line(detail::SpanWriter& out, const QueuedLine& line) const;
  // Draws the queued lines and empties the queue.
  void draw_queued();
  // Where the picture's rows are cut into `parts` bands holding about as
  // many rows of queued lines each (`rows` in all): parts + 1 rows, from 0
  // to height().
  std::vector<std::int64_t> cut_rows(int parts, std::int64_t rows) const;
  // Draws the queued lines before anything reads or changes the picture.
  // (A queue is only filled through a non-const canvas.)
  void settle() const {
    if (!m_queue.empty()) const_cast<Canvas*>(this)->draw_queued();
  }

  Bitmap m_bitmap;
  TPoint m_pen_pos;
  Rect m_changed;
  // Every drawing reports its rectangle in m_changed, which only
  // take_changed() empties: the picture is still one colour while no
  // rectangle has been seen there.
  std::optional<TColor> mutable m_uniform;
  int m_line_threads = default_line_threads();
  int m_deferring = 0;  // open DeferredLines
  std::vector<QueuedLine> m_queue;
  std::vector<RasterOp> m_band_ops;  // the queued bands' ops
  // The colours and mode of the last ops added, at m_band_first_op.
  std::vector<TColor> m_band_colours;
  TPenMode m_band_mode = pmCopy;
  std::uint32_t m_band_first_op = 0;

  static int default_line_threads();
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
  explicit DeferredLines(Canvas& canvas) : m_canvas(canvas) { ++m_canvas.m_deferring; }
  ~DeferredLines() {
    if (--m_canvas.m_deferring == 0) m_canvas.draw_queued();
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
