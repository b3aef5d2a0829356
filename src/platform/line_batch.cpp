#include "platform/line_batch.h"

#include <functional>
#include <thread>

#include "platform/canvas_internal.h"
#include "platform/thread_team.h"

namespace korvel {

using detail::i64;

namespace {

// Below this many rows of lines in all, waking threads would cost more than
// they save.
constexpr i64 kRowsForThreads = 4096;

}  // namespace

LineThreads LineThreads::machine_default() {
  // One core is left to the rest of the desktop, which has the frame to
  // show: on two cores, a second drawing thread only competes with it.
  const unsigned cores = std::thread::hardware_concurrency();
  return of(int(std::clamp<unsigned>(cores > 1 ? cores - 1 : 1, 1, 8)));
}

void LineBatch::add(QueuedLine line, int height) {
  // The rows within the picture: the ends' rows widened by the reach of the
  // pen's disc, and by the steps of a band.
  const i64 up = line.width <= 1 ? 0 : line.width / 2, down = line.width <= 1 ? 0 : (i64(line.width) - 1) / 2;
  const i64 first = std::max<i64>(std::min(line.from.y, line.to.y) - up, 0);
  const i64 last = std::min<i64>(std::max(line.from.y, line.to.y) + down + line.lines - 1, i64(height) - 1);
  if (first > last) return;  // no row of the picture
  line.first_row = int(first);
  line.last_row = int(last);
  if (m_queue.capacity() < kQueuedLines) m_queue.reserve(kQueuedLines);
  m_queue.push_back(line);
}

void LineBatch::add_line(TPoint from, TPoint to, int width, RasterOp op, int height) {
  add({from, to, width, 0, 0, op}, height);
}

void LineBatch::add_band(TPoint from, TPoint to, int width, TPenMode mode, std::span<const TColor> colours,
                         int height) {
  // The clones of a copy, and often every copy of a stroke, are shaded alike:
  // they share their ops.
  if (m_band_ops.empty() || mode != m_band_mode || !std::ranges::equal(colours, m_band_colours)) {
    m_band_first_op = std::uint32_t(m_band_ops.size());
    for (const TColor c : colours) m_band_ops.push_back(raster_op(mode, pixel_of(c)));
    m_band_colours.assign(colours.begin(), colours.end());
    m_band_mode = mode;
  }
  add({from, to, width, 0, 0, RasterOp{}, int(colours.size()), m_band_first_op}, height);
}

void LineBatch::draw_rows(Bitmap& bitmap, Rect& changed, i64 first, i64 last) const {
  detail::SpanWriter out(bitmap, changed, RasterOp{});
  for (const QueuedLine& l : m_queue) {
    if (l.last_row < first || l.first_row > last) continue;
    out.set_rows(std::max<i64>(first, l.first_row), std::min<i64>(last, l.last_row));
    if (l.lines == 1) {
      out.set_op(l.op);
      detail::line(out, l.from, l.to, l.width);
    } else {
      detail::line_band(out, l.from, l.to, l.width, {m_band_ops.data() + l.first_op, std::size_t(l.lines)});
    }
  }
}

std::vector<i64> LineBatch::cut_rows(int parts, i64 rows, int height) const {
  // How many lines reach each row; the bands are cut where the running sum
  // passes each part's share of `rows`, the sum over the picture.
  std::vector<i64> reach(std::size_t(height) + 1);
  for (const QueuedLine& l : m_queue) ++reach[std::size_t(l.first_row)], --reach[std::size_t(l.last_row) + 1];
  std::vector<i64> bounds{0};
  i64 lines = 0, sum = 0;
  for (i64 y = 0; y < height && int(bounds.size()) < parts; ++y) {
    lines += reach[std::size_t(y)];
    sum += lines;
    if (sum * parts >= rows * i64(bounds.size())) bounds.push_back(y + 1);
  }
  while (int(bounds.size()) <= parts) bounds.push_back(height);
  return bounds;
}

Rect LineBatch::box(const QueuedLine& l) {
  const i64 reach = l.width <= 1 ? 0 : l.width / 2 + 1;
  const auto clamp = [](i64 v) { return int(std::clamp<i64>(v, INT32_MIN, INT32_MAX)); };
  return Rect{clamp(i64(std::min(l.from.x, l.to.x)) - reach), l.first_row,
              clamp(i64(std::max(l.from.x, l.to.x)) + reach + l.lines), l.last_row + 1};
}

Rect LineBatch::draw(Bitmap& bitmap, ChangedArea& area) noexcept {
  if (m_queue.empty()) return {};
  Rect changed;
  i64 rows = 0;
  if (m_threads.count() > 1)
    for (const QueuedLine& l : m_queue) rows += l.last_row - l.first_row + 1;
  bool drawn = false;
  if (rows >= kRowsForThreads) {
    // Part t draws rows bounds[t] to bounds[t + 1] - 1, noting them in
    // touched[t]. Without memory for the plan, one thread draws it all.
    try {
      const int parts = m_threads.count();
      const std::vector<i64> bounds = cut_rows(parts, rows, bitmap.height());
      std::vector<Rect> touched(static_cast<std::size_t>(parts));
      const auto draw_part = [&](int t) {
        draw_rows(bitmap, touched[std::size_t(t)], bounds[std::size_t(t)], bounds[std::size_t(t) + 1] - 1);
      };
      const std::function<void(int)> part = std::cref(draw_part);
      drawn = true;  // from here on every part is drawn, on a thread of its own or here
      ThreadTeam::shared().run(parts, part);
      for (const Rect& r : touched) changed.unite(r);
    } catch (const std::bad_alloc&) {
    }
  }
  if (!drawn) draw_rows(bitmap, changed, 0, i64(bitmap.height()) - 1);
  try {
    m_boxes.clear();
    for (const QueuedLine& l : m_queue) m_boxes.push_back(box(l));
    area.add_within(changed, m_boxes);
  } catch (const std::bad_alloc&) {
    area.add(changed);
  }
  m_queue.clear();
  m_band_ops.clear();
  return changed;
}

}  // namespace korvel
