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

Canvas::Canvas(int width, int height, TColor colour)
    : m_bitmap(width, height, colour), m_uniform(colour_of(pixel_of(colour))) {}

Canvas::Canvas(Bitmap bitmap) : m_bitmap(std::move(bitmap)) {
  // The fills rely on the top byte being 0 (it is free scratch space), and
  // colours compare on 24 bits: a bitmap from elsewhere may carry alpha there.
  std::uint32_t* p = m_bitmap.data();
  const std::size_t n = std::size_t(m_bitmap.width()) * std::size_t(m_bitmap.height());
  for (std::size_t i = 0; i < n; ++i) p[i] &= kColourBits;
}

void Canvas::MoveTo(int x, int y) { m_pen_pos = {x, y}; }

void Canvas::queue(QueuedLine line) {
  // The rows within the picture: the ends' rows widened by the reach of the
  // pen's disc, and by the steps of a band.
  const i64 up = line.width <= 1 ? 0 : line.width / 2, down = line.width <= 1 ? 0 : (i64(line.width) - 1) / 2;
  const i64 first = std::max<i64>(std::min(line.from.y, line.to.y) - up, 0);
  const i64 last = std::min<i64>(std::max(line.from.y, line.to.y) + down + line.lines - 1, i64(height()) - 1);
  if (first > last) return;  // no row of the picture
  line.first_row = int(first);
  line.last_row = int(last);
  if (m_queue.capacity() < kQueuedLines) m_queue.reserve(kQueuedLines);
  m_queue.push_back(line);
  if (m_queue.size() >= kQueuedLines || m_band_ops.size() >= kQueuedLines) [[unlikely]]
    draw_queued();
}

void Canvas::LineTo(int x, int y) {
  const TPoint from = m_pen_pos, to{x, y};
  m_pen_pos = to;
  if (Pen.Style == psClear) return;
  const RasterOp op = raster_op(Pen.Mode, pixel_of(Pen.Color));
  if (m_deferring > 0 && m_line_threads > 0) {
    queue({from, to, Pen.Width, 0, 0, op});
    return;
  }
  detail::SpanWriter out(m_bitmap, m_changed, op);
  detail::line(out, from, to, Pen.Width);
}

void Canvas::draw_band(TPoint from, TPoint to, std::span<const TColor> colours) {
  if (colours.empty()) return;
  const int last = int(colours.size()) - 1;
  const bool fits = offset_point(from, last, last) && offset_point(to, last, last);
  // A band of one line is queued as a line.
  if (m_deferring == 0 || m_line_threads == 0 || Pen.Style == psClear || last == 0 || !fits) {
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
  // The clones of a copy, and often every copy of a stroke, are shaded alike:
  // they share their ops.
  if (m_band_ops.empty() || Pen.Mode != m_band_mode || !std::ranges::equal(colours, m_band_colours)) {
    m_band_first_op = std::uint32_t(m_band_ops.size());
    for (const TColor c : colours) m_band_ops.push_back(raster_op(Pen.Mode, pixel_of(c)));
    m_band_colours.assign(colours.begin(), colours.end());
    m_band_mode = Pen.Mode;
  }
  queue({from, to, Pen.Width, 0, 0, RasterOp{}, last + 1, m_band_first_op});
}

void Canvas::FillRect(int left, int top, int right, int bottom) {
  settle();
  if (Brush.Style != bsSolid) return;
  const auto [x1, x2] = clip_range(left, right, width());
  const auto [y1, y2] = clip_range(top, bottom, height());
  if (x1 >= x2 || y1 >= y2) return;
  const std::uint32_t p = pixel_of(Brush.Color);
  for (i64 y = y1; y < y2; ++y) std::fill(m_bitmap.row(int(y)) + x1, m_bitmap.row(int(y)) + x2, p);
  m_changed.unite(Rect{int(x1), int(y1), int(x2), int(y2)});
}

TColor Canvas::Pixels(int x, int y) const {
  settle();
  return m_bitmap.colour_at(x, y);
}

void Canvas::Draw(int x, int y, const Bitmap& bitmap) {
  settle();
  if (&bitmap == &m_bitmap) {  // drawing the canvas onto itself: copy first
    const Bitmap copy = bitmap;
    Draw(x, y, copy);
    return;
  }
  const auto [x1, x2] = clip_range(x, i64(x) + bitmap.width(), width());
  const auto [y1, y2] = clip_range(y, i64(y) + bitmap.height(), height());
  if (x1 >= x2 || y1 >= y2) return;
  for (i64 row = y1; row < y2; ++row) {
    const std::uint32_t* src = bitmap.row(int(row - y)) + (x1 - x);
    std::uint32_t* dst = m_bitmap.row(int(row)) + x1;
    for (i64 i = 0; i < x2 - x1; ++i) dst[i] = src[i] & kColourBits;
  }
  m_changed.unite(Rect{int(x1), int(y1), int(x2), int(y2)});
}

std::optional<TColor> Canvas::uniform_colour() const {
  settle();
  if (!m_changed.empty()) m_uniform.reset();
  return m_uniform;
}

Rect Canvas::take_changed() {
  settle();
  if (!m_changed.empty()) m_uniform.reset();
  return std::exchange(m_changed, Rect{});
}

}  // namespace korvel
