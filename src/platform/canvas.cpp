// The canvas's state, its simple primitives (FillRect, Pixels, Draw) and the
// line entry points; lines, ellipses and fills live in their own files.
#include "platform/canvas.h"

#include <algorithm>
#include <utility>

#include "platform/canvas_internal.h"

namespace korvel {

using detail::i64;

namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFF;

// [a, b) clipped to [0, size): both ends widened to 64 bits first, so that
// boxes spanning the whole 32-bit range neither overflow nor wrap.
std::pair<i64, i64> clip_range(i64 a, i64 b, i64 size) {
  return {std::max<i64>(a, 0), std::min<i64>(b, size)};
}

}  // namespace

namespace detail {

void SpanWriter::row(i64 y, Span* spans, int count) {
  std::sort(spans, spans + count, [](const Span& a, const Span& b) { return a.x1 < b.x1; });
  row_sorted(y, spans, count);
}

}  // namespace detail

bool repeats_harmlessly(TPenMode mode) {
  // Each bit of the result depends only on that bit of the pen and of the
  // picture, so an all-zero and an all-one pen cover every case; a bit both
  // kept and flipped (and & xor) is what a second pass would change again.
  for (const std::uint32_t pen : {0u, kColourBits}) {
    const RasterOp op = raster_op(mode, pen);
    if ((op.and_mask & op.xor_mask) != 0) return false;
  }
  return true;
}

Canvas::Surface::Surface(Bitmap bitmap, std::optional<TColor> uniform)
    : m_bitmap(std::move(bitmap)), m_uniform(uniform) {}

Canvas::Write::Write(Canvas& canvas) : m_surface(canvas.m_surface) {
  // The lines come first, in the order they were asked for, each with its box.
  if (!canvas.m_lines.draw(m_surface.m_bitmap, m_surface.m_changed).empty()) m_surface.m_uniform.reset();
}

Canvas::Write::~Write() {
  if (m_touched.empty()) return;
  m_surface.m_changed.add(m_touched);
  m_surface.m_uniform.reset();
}

Canvas::Canvas(int width, int height, TColor colour)
    : m_surface(Bitmap(width, height, colour), colour_of(pixel_of(colour))) {}

Canvas::Canvas(Bitmap bitmap) : m_surface(std::move(bitmap), std::nullopt) {
  // The fills rely on the top byte being 0 (it is free scratch space), and
  // colours compare on 24 bits: a bitmap from elsewhere may carry alpha there.
  // Nothing is drawn: the picture is not reported as changed.
  Write write(*this);
  std::uint32_t* p = write.bitmap().data();
  const std::size_t n = std::size_t(width()) * std::size_t(height());
  for (std::size_t i = 0; i < n; ++i) p[i] &= kColourBits;
}

void Canvas::MoveTo(int x, int y) { m_pen_pos = {x, y}; }

void Canvas::LineTo(int x, int y) {
  const TPoint from = m_pen_pos, to{x, y};
  m_pen_pos = to;
  if (Pen.Style == psClear) return;
  const RasterOp op = raster_op(Pen.Mode, pixel_of(Pen.Color));
  if (m_lines.queues()) {
    m_lines.add_line(from, to, Pen.Width, op, height());
    if (m_lines.full()) [[unlikely]] settle();
    return;
  }
  Write write(*this);
  detail::SpanWriter out(write.bitmap(), write.touched(), op);
  detail::line(out, from, to, Pen.Width);
}

void Canvas::draw_band(TPoint from, TPoint to, std::span<const TColor> colours) {
  if (colours.empty()) return;
  const int last = int(colours.size()) - 1;
  const bool fits = offset_point(from, last, last) && offset_point(to, last, last);
  // A band of one line is queued as a line.
  if (!m_lines.queues() || Pen.Style == psClear || last == 0 || !fits) {
    for (int i = 0; i <= last; ++i) {
      Pen.Color = colours[std::size_t(i)];
      const auto a = offset_point(from, i, i), b = offset_point(to, i, i);
      if (!a || !b) continue;
      MoveTo(a->x, a->y);
      LineTo(b->x, b->y);
    }
    return;
  }
  Pen.Color = colours.back();
  m_pen_pos = {to.x + last, to.y + last};
  m_lines.add_band(from, to, Pen.Width, Pen.Mode, colours, height());
  if (m_lines.full()) [[unlikely]] settle();
}

void Canvas::set_line_threads(LineThreads threads) {
  settle();
  m_lines.set_threads(threads);
}

void Canvas::FillRect(int left, int top, int right, int bottom) {
  Write write(*this);
  if (Brush.Style != bsSolid) return;
  const auto [x1, x2] = clip_range(left, right, width());
  const auto [y1, y2] = clip_range(top, bottom, height());
  if (x1 >= x2 || y1 >= y2) return;
  const std::uint32_t p = pixel_of(Brush.Color);
  Bitmap& pixels = write.bitmap();
  for (i64 y = y1; y < y2; ++y) std::fill(pixels.row(int(y)) + x1, pixels.row(int(y)) + x2, p);
  write.touched() = Rect{int(x1), int(y1), int(x2), int(y2)};
}

TColor Canvas::Pixels(int x, int y) const {
  settle();
  return m_surface.bitmap().colour_at(x, y);
}

void Canvas::Draw(int x, int y, const Bitmap& bitmap) {
  if (&bitmap == &m_surface.bitmap()) {  // drawing the canvas onto itself: copy first
    const Bitmap copy = this->bitmap();
    Draw(x, y, copy);
    return;
  }
  Write write(*this);
  const auto [x1, x2] = clip_range(x, i64(x) + bitmap.width(), width());
  const auto [y1, y2] = clip_range(y, i64(y) + bitmap.height(), height());
  if (x1 >= x2 || y1 >= y2) return;
  for (i64 row = y1; row < y2; ++row) {
    const std::uint32_t* src = bitmap.row(int(row - y)) + (x1 - x);
    std::uint32_t* dst = write.bitmap().row(int(row)) + x1;
    for (i64 i = 0; i < x2 - x1; ++i) dst[i] = src[i] & kColourBits;
  }
  write.touched() = Rect{int(x1), int(y1), int(x2), int(y2)};
}

std::optional<TColor> Canvas::uniform_colour() const {
  settle();
  return m_surface.uniform();
}

ChangedArea Canvas::take_changed_area() {
  settle();
  return m_surface.take_changed();
}

}  // namespace korvel
