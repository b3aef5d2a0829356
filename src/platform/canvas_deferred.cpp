// Deferred lines, drawn by bands of rows, each band by one thread:
//
//   rows    0..399   thread 0     The bands are cut where the lines' rows
//   rows  400..1079  thread 1     are shared evenly, so that a stroke gathered
//                                 in one part of the picture still shares the
//                                 work. Each thread draws every queued line
//                                 that reaches its band, in order, clipped to it.
//
// A pixel belongs to one band, so it receives exactly the writes it would
// have received had each line been drawn at its call, in the same order.
#include <algorithm>
#include <thread>
#include <utility>

#include "platform/canvas.h"
#include "platform/canvas_internal.h"
#include "platform/thread_team.h"

namespace korvel {

using detail::i64;

namespace {

// Below this many rows of lines in all, waking threads would cost more than
// they save.
constexpr i64 kRowsForThreads = 4096;

}  // namespace

int Canvas::default_line_threads() {
  // One core is left to the rest of the desktop, which has the frame to
  // show: on two cores, a second drawing thread only competes with it.
  const unsigned cores = std::thread::hardware_concurrency();
  return int(std::clamp<unsigned>(cores > 1 ? cores - 1 : 1, 1, 8));
}

void Canvas::set_line_threads(int threads) {
  settle();
  m_line_threads = std::clamp(threads, 0, 64);
}

void Canvas::draw_queued_line(detail::SpanWriter& out, const QueuedLine& l) const {
  if (l.lines == 1) {
    out.set_op(l.op);
    detail::line(out, l.from, l.to, l.width);
  } else {
    detail::line_band(out, l.from, l.to, l.width, {m_band_ops.data() + l.first_op, std::size_t(l.lines)});
  }
}

std::vector<detail::i64> Canvas::cut_rows(int parts, i64 rows) const {
  // How many lines reach each row; the bands are cut where the running sum
  // passes each part's share of `rows`, the sum over the picture.
  std::vector<i64> reach(std::size_t(height()) + 1);
  for (const QueuedLine& l : m_queue) ++reach[std::size_t(l.first_row)], --reach[std::size_t(l.last_row) + 1];
  std::vector<i64> bounds{0};
  i64 lines = 0, sum = 0;
  for (i64 y = 0; y < height() && int(bounds.size()) < parts; ++y) {
    lines += reach[std::size_t(y)];
    sum += lines;
    if (sum * parts >= rows * i64(bounds.size())) bounds.push_back(y + 1);
  }
  while (int(bounds.size()) <= parts) bounds.push_back(height());
  return bounds;
}

void Canvas::draw_queued() {
  if (m_queue.empty()) return;
  i64 rows = 0;
  if (m_line_threads > 1)
    for (const QueuedLine& l : m_queue) rows += l.last_row - l.first_row + 1;
  const int parts = rows >= kRowsForThreads ? m_line_threads : 1;
  // Part t draws rows bounds[t] to bounds[t + 1] - 1.
  std::vector<i64> bounds;
  if (parts > 1) bounds = cut_rows(parts, rows);
  std::vector<Rect> changed(static_cast<std::size_t>(parts));
  const auto part = [&](int t) {
    detail::SpanWriter out(m_bitmap, changed[std::size_t(t)], RasterOp{});
    const i64 first = parts > 1 ? bounds[std::size_t(t)] : 0;
    const i64 last = parts > 1 ? bounds[std::size_t(t) + 1] - 1 : height() - 1;
    for (const QueuedLine& l : m_queue) {
      if (l.last_row < first || l.first_row > last) continue;
      out.set_rows(std::max<i64>(first, l.first_row), std::min<i64>(last, l.last_row));
      draw_queued_line(out, l);
    }
  };
  ThreadTeam::shared().run(parts, part);
  m_queue.clear();
  m_band_ops.clear();
  for (const Rect& r : changed) m_changed.unite(r);
}

}  // namespace korvel
