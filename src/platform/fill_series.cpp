#include "platform/fill_series.h"

#include <algorithm>
#include <utility>

namespace korvel {

namespace {

// A series this long looks for one colour first: the look costs at most one
// pass over the pixels, and stops at the first pixel of another colour.
constexpr std::int64_t kLongSeries = 32;
// More runs than one in this many pixels: the areas are small, plain fills
// cheap, and the areas' bookkeeping would outweigh the picture itself.
constexpr std::int64_t kPixelsPerRun = 8;
constexpr int kBlock = 16;  // pixels compared at once, branch-free (vectorised)
constexpr int kHead = 8;    // pixels compared one by one first

// The colour a fill is given, as a pixel: one with its top byte set equals
// no pixel.
std::uint32_t pixel_to_match(TColor colour) { return (colour >> 24) != 0 ? 0xFFFFFFFFu : pixel_of(colour); }

// The first x >= from where row[x] differs from row[from - 1] (0 < from <= end),
// or `end`.
int run_end(const std::uint32_t* row, int from, int end) {
  const std::uint32_t c = row[from - 1];
  int x = from;
  // Most runs of a detailed picture are short.
  for (const int head = std::min(end, from + kHead); x < head; ++x)
    if (row[x] != c) return x;
  for (; x + kBlock <= end; x += kBlock) {
    std::uint32_t differ = 0;
    for (int i = 0; i < kBlock; ++i) differ |= row[x + i] ^ c;
    if (differ != 0) break;
  }
  while (x < end && row[x] == c) ++x;
  return x;
}

// At least n elements: storage kept from a previous series is not cleared.
template <class T>
void grow(std::vector<T>& v, std::size_t n) {
  if (v.size() < n) v.resize(n);
}

bool one_colour(const Bitmap& bitmap) {
  const std::uint32_t c = bitmap.row(0)[0];
  for (int y = 0; y < bitmap.height(); ++y) {
    const std::uint32_t* row = bitmap.row(y);
    // Compared with the first pixel through the row before it.
    if (row[0] != c || (bitmap.width() > 1 && run_end(row, 1, bitmap.width()) != bitmap.width())) return false;
  }
  return true;
}

}  // namespace

// Run i is pixels x1..x2 of row y, all of one colour; the runs of a row
// follow each other, rows in order. Runs of one area are joined in a
// union-find, whose root holds the area's colour and bounds.
struct FillSeries::Areas {
  struct Run {
    int x1, x2, y;
    int above, below;      // the first run of the row above (below) that touches it, or -1
    std::uint32_t colour;  // at the start
  };
  std::vector<Run> runs;  // the first `run_count`; the storage may be longer
  std::size_t run_count = 0;
  std::vector<int> row_first;  // a row's first run; one more for the end
  std::vector<int> parent;
  std::vector<std::uint32_t> area_colour;
  std::vector<Rect> bounds;
  // Runs whose neighbours an area has not listed yet, linked from pending
  // (the area's first) through next_pending, ending at last_pending.
  std::vector<int> pending, last_pending, next_pending;
  // Per area: an index in `lists` of the areas next to it (each once after
  // list_neighbours, though entries may have joined it or each other since).
  std::vector<int> list_of;
  std::vector<std::vector<int>> lists;
  std::vector<std::uint32_t> seen, reached;  // stamps per run
  std::uint32_t seen_stamp = 0, reached_stamp = 0;
  std::vector<int> work, edges;
};

thread_local std::unique_ptr<FillSeries::Areas> FillSeries::s_spare_areas;

FillSeries::FillSeries(Canvas& canvas, std::int64_t fills_expected)
    : m_canvas(canvas), m_fills_expected(fills_expected) {}

FillSeries::~FillSeries() {
  Canvas::Write write(m_canvas);
  Bitmap& b = write.bitmap();
  if (m_path == Path::one_colour && m_colour != m_first_colour)
    for (int y = 0; y < b.height(); ++y) std::fill(b.row(y), b.row(y) + b.width(), m_colour);
  if (m_path == Path::areas) paint_areas(b);
  write.touched().unite(m_changed);
  if (m_areas) s_spare_areas = std::move(m_areas);
}

void FillSeries::choose_path() {
  const Bitmap& bitmap = m_canvas.bitmap();  // settles deferred lines
  m_path = Path::plain;
  if (bitmap.width() == 0 || bitmap.height() == 0) return;
  if (const std::optional<TColor> u = m_canvas.uniform_colour()) {
    m_path = Path::one_colour;
    m_first_colour = m_colour = pixel_of(*u);
  } else if (m_fills_expected >= kLongSeries && one_colour(bitmap)) {
    m_path = Path::one_colour;
    m_first_colour = m_colour = bitmap.row(0)[0];
  }
}

TColor FillSeries::Pixels(int x, int y) {
  if (m_path == Path::undecided) choose_path();
  if (!m_canvas.bitmap().contains(x, y)) return clInvalid;
  switch (m_path) {
    case Path::one_colour:
      return colour_of(m_colour);
    case Path::areas:
      return colour_of(m_areas->area_colour[std::size_t(area_at(x, y))]);
    default:
      return m_canvas.Pixels(x, y);
  }
}

void FillSeries::FloodFill(int x, int y, TColor colour, TFillStyle style) {
  if (m_path == Path::undecided) choose_path();
  if (m_path == Path::plain) {
    plain_fill(x, y, colour, style);
    return;
  }
  if (!m_canvas.bitmap().contains(x, y) || m_canvas.Brush.Style != bsSolid) return;
  const std::uint32_t pixel = pixel_to_match(colour);
  const RasterOp op = raster_op(m_canvas.Pen.Mode, pixel_of(m_canvas.Brush.Color));
  if (m_path == Path::one_colour) {
    // The one area is the whole picture.
    if ((m_colour == pixel) != (style == fsSurface)) return;
    if (style == fsSurface && op.apply(m_colour) == m_colour) return;
    m_colour = op.apply(m_colour);
    m_changed.unite(Rect{0, 0, m_canvas.width(), m_canvas.height()});
    return;
  }
  const int a = area_at(x, y);
  if ((m_areas->area_colour[std::size_t(a)] == pixel) != (style == fsSurface)) return;
  if (style == fsSurface)
    surface_fill(a, op);
  else
    border_fill(a, pixel, op);
}

void FillSeries::plain_fill(int x, int y, TColor colour, TFillStyle style) {
  // The fill's own rectangle tells how much it painted, at most.
  const Rect before = m_canvas.take_changed();
  m_canvas.FloodFill(x, y, colour, style);
  const Rect mine = m_canvas.take_changed();
  {
    // Both given back, as one rectangle, as the fill alone would leave it.
    Canvas::Write write(m_canvas);
    write.touched() = before;
    write.touched().unite(mine);
  }
  m_plain_work += std::int64_t(mine.width()) * mine.height();
  // A picture's worth painted: the areas cost less from now on.
  const std::int64_t pixels = std::int64_t(m_canvas.width()) * m_canvas.height();
  if (!mine.empty() && m_plain_work >= pixels && !m_areas_refused) {
    if (cut_into_areas())
      m_path = Path::areas;
    else
      m_areas_refused = true;
  }
}

bool FillSeries::cut_into_areas() {
  const Bitmap& bitmap = m_canvas.bitmap();
  const int w = bitmap.width(), h = bitmap.height();
  const std::int64_t most = std::max<std::int64_t>(1024, std::int64_t(w) * h / kPixelsPerRun);
  // A look at every 16th row first: a detailed picture is refused at a
  // sixteenth of the cost of cutting it.
  std::int64_t sampled = 0;
  for (int y = 0; y < h; y += 16)
    for (int x = 0; x < w; ++sampled) x = run_end(bitmap.row(y), x + 1, w);
  if (sampled * 16 > most) return false;
  m_areas = s_spare_areas ? std::move(s_spare_areas) : std::make_unique<Areas>();
  m_areas->row_first.assign(std::size_t(h) + 1, 0);
  m_areas->lists.clear();
  // Written through a pointer, one row's worth of room kept ahead.
  std::vector<Areas::Run>& runs = m_areas->runs;
  grow(runs, std::size_t(most) + std::size_t(w));
  Areas::Run* out = runs.data();
  std::size_t count = 0;
  for (int y = 0; y < h; ++y) {
    m_areas->row_first[std::size_t(y)] = int(count);
    const std::uint32_t* row = bitmap.row(y);
    for (int x = 0; x < w;) {
      const int end = run_end(row, x + 1, w);
      out[count++] = {x, end - 1, y, -1, -1, row[x]};
      x = end;
    }
    if (std::int64_t(count) > most) {
      s_spare_areas = std::move(m_areas);
      return false;
    }
  }
  m_areas->run_count = count;
  m_areas->row_first[std::size_t(h)] = int(count);
  const std::size_t n = count;
  grow(m_areas->parent, n);
  grow(m_areas->area_colour, n);
  for (std::size_t i = 0; i < n; ++i) {
    m_areas->parent[i] = int(i);
    m_areas->area_colour[i] = m_areas->runs[i].colour;
  }
  // Rows tile the same columns, so walking two rows side by side meets each
  // touching pair of runs once, in order: the first pair a run is met in
  // gives the first run it touches in the other row. Runs of one colour
  // that touch join, the later one under the earlier one's root.
  for (int y = 1; y < h; ++y) {
    int a = m_areas->row_first[std::size_t(y) - 1], b = m_areas->row_first[std::size_t(y)];
    const int a_end = b, b_end = m_areas->row_first[std::size_t(y) + 1];
    while (a < a_end && b < b_end) {
      Areas::Run &ra = m_areas->runs[std::size_t(a)], &rb = m_areas->runs[std::size_t(b)];
      if (ra.below < 0) ra.below = b;
      if (rb.above < 0) rb.above = a;
      if (m_areas->area_colour[std::size_t(a)] == m_areas->area_colour[std::size_t(b)]) {
        const int root_a = find(a), root_b = find(b);
        if (root_a < root_b)
          m_areas->parent[std::size_t(root_b)] = root_a;
        else
          m_areas->parent[std::size_t(root_a)] = root_b;
      }
      const int a_x2 = ra.x2, b_x2 = rb.x2;
      if (a_x2 <= b_x2) ++a;
      if (b_x2 <= a_x2) ++b;
    }
  }
  // Each area's bounds, and its runs in order as not looked around yet.
  grow(m_areas->bounds, n);
  grow(m_areas->pending, n);
  grow(m_areas->last_pending, n);
  grow(m_areas->next_pending, n);
  grow(m_areas->list_of, n);
  // Stamps only grow, so old ones never match.
  grow(m_areas->seen, n);
  grow(m_areas->reached, n);
  for (std::size_t i = 0; i < n; ++i) {
    const Areas::Run& r = m_areas->runs[i];
    const Rect box{r.x1, r.y, r.x2 + 1, r.y + 1};
    // A root is the first run of its area.
    const std::size_t root = std::size_t(find(int(i)));
    m_areas->next_pending[i] = -1;
    m_areas->list_of[i] = -1;
    if (root == i) {
      m_areas->pending[root] = int(i);
      m_areas->bounds[root] = box;
    } else {
      m_areas->next_pending[std::size_t(m_areas->last_pending[root])] = int(i);
      m_areas->bounds[root].unite(box);
    }
    m_areas->last_pending[root] = int(i);
  }
  return true;
}

int FillSeries::find(int run) {
  while (m_areas->parent[std::size_t(run)] != run) {
    const int up = m_areas->parent[std::size_t(m_areas->parent[std::size_t(run)])];
    m_areas->parent[std::size_t(run)] = up;  // path halving
    run = up;
  }
  return run;
}

int FillSeries::unite(int a, int b) {
  a = find(a), b = find(b);
  if (a == b) return a;
  // The area with the longer list of neighbours keeps it, and the other's
  // is added to it.
  const auto list_size = [&](int r) {
    const int l = m_areas->list_of[std::size_t(r)];
    return l < 0 ? std::size_t(0) : m_areas->lists[std::size_t(l)].size();
  };
  if (list_size(a) < list_size(b)) std::swap(a, b);
  m_areas->parent[std::size_t(b)] = a;
  m_areas->bounds[std::size_t(a)].unite(m_areas->bounds[std::size_t(b)]);
  if (m_areas->pending[std::size_t(b)] >= 0) {
    if (m_areas->pending[std::size_t(a)] < 0) {
      m_areas->pending[std::size_t(a)] = m_areas->pending[std::size_t(b)];
    } else {
      m_areas->next_pending[std::size_t(m_areas->last_pending[std::size_t(a)])] = m_areas->pending[std::size_t(b)];
    }
    m_areas->last_pending[std::size_t(a)] = m_areas->last_pending[std::size_t(b)];
  }
  const int lb = m_areas->list_of[std::size_t(b)];
  if (lb >= 0) {
    if (m_areas->list_of[std::size_t(a)] < 0) {
      m_areas->list_of[std::size_t(a)] = lb;
    } else {
      std::vector<int>& to = m_areas->lists[std::size_t(m_areas->list_of[std::size_t(a)])];
      std::vector<int>& from = m_areas->lists[std::size_t(lb)];
      to.insert(to.end(), from.begin(), from.end());
      from = {};
    }
  }
  return a;
}

int FillSeries::area_at(int x, int y) {
  const auto first = m_areas->runs.begin() + m_areas->row_first[std::size_t(y)];
  const auto last = m_areas->runs.begin() + m_areas->row_first[std::size_t(y) + 1];
  // The last run of the row starting at or before x.
  const auto it = std::upper_bound(first, last, x, [](int v, const Areas::Run& r) { return v < r.x1; }) - 1;
  return find(int(it - m_areas->runs.begin()));
}

void FillSeries::list_neighbours(int a) {
  std::vector<int>& raw = m_areas->work;
  raw.clear();
  int list = m_areas->list_of[std::size_t(a)];
  if (list < 0) {
    list = int(m_areas->lists.size());
    m_areas->list_of[std::size_t(a)] = list;
    m_areas->lists.emplace_back();
  }
  std::vector<int>& areas = m_areas->lists[std::size_t(list)];
  raw.swap(areas);
  // The runs not looked around yet: their left and right runs, and those
  // they touch above and below.
  for (int i = m_areas->pending[std::size_t(a)]; i >= 0; i = m_areas->next_pending[std::size_t(i)]) {
    const Areas::Run& r = m_areas->runs[std::size_t(i)];
    if (i > 0 && m_areas->runs[std::size_t(i) - 1].y == r.y) raw.push_back(i - 1);
    if (std::size_t(i) + 1 < m_areas->run_count && m_areas->runs[std::size_t(i) + 1].y == r.y) raw.push_back(i + 1);
    for (const int start : {r.above, r.below}) {
      if (start < 0) continue;
      const int row_y = m_areas->runs[std::size_t(start)].y;
      for (int j = start; std::size_t(j) < m_areas->run_count && m_areas->runs[std::size_t(j)].y == row_y &&
                          m_areas->runs[std::size_t(j)].x1 <= r.x2;
           ++j)
        raw.push_back(j);
    }
  }
  m_areas->pending[std::size_t(a)] = -1;
  // Each neighbouring area once, the area itself left out.
  ++m_areas->seen_stamp;
  areas.clear();
  for (const int j : raw) {
    const int b = find(j);
    if (b == a || m_areas->seen[std::size_t(b)] == m_areas->seen_stamp) continue;
    m_areas->seen[std::size_t(b)] = m_areas->seen_stamp;
    areas.push_back(b);
  }
}

void FillSeries::surface_fill(int a, const RasterOp& op) {
  const std::uint32_t painted = op.apply(m_areas->area_colour[std::size_t(a)]);
  if (painted == m_areas->area_colour[std::size_t(a)]) return;
  m_changed.unite(m_areas->bounds[std::size_t(a)]);
  m_areas->area_colour[std::size_t(a)] = painted;
  // Areas next to each other differ in colour, so only a neighbour of the
  // new colour joins it, and no neighbour of that one (all differ from it).
  list_neighbours(a);
  const std::vector<int> next_to = m_areas->lists[std::size_t(m_areas->list_of[std::size_t(a)])];
  int root = a;
  for (const int b : next_to)
    if (m_areas->area_colour[std::size_t(b)] == painted) root = unite(root, b);
  m_areas->area_colour[std::size_t(root)] = painted;
}

void FillSeries::border_fill(int a, std::uint32_t border, const RasterOp& op) {
  // Every area reached through areas not of the border colour.
  std::vector<int> reached{a};
  m_areas->edges.clear();
  ++m_areas->reached_stamp;
  m_areas->reached[std::size_t(a)] = m_areas->reached_stamp;
  for (std::size_t k = 0; k < reached.size(); ++k) {
    const int r = reached[k];
    list_neighbours(r);
    for (const int b : m_areas->lists[std::size_t(m_areas->list_of[std::size_t(r)])]) {
      m_areas->edges.push_back(r);
      m_areas->edges.push_back(b);
      if (m_areas->reached[std::size_t(b)] == m_areas->reached_stamp || m_areas->area_colour[std::size_t(b)] == border) continue;
      m_areas->reached[std::size_t(b)] = m_areas->reached_stamp;
      reached.push_back(b);
    }
  }
  for (const int r : reached) {
    m_changed.unite(m_areas->bounds[std::size_t(r)]);
    m_areas->area_colour[std::size_t(r)] = op.apply(m_areas->area_colour[std::size_t(r)]);
  }
  // Only areas that changed colour can now equal a neighbour.
  for (std::size_t k = 0; k < m_areas->edges.size(); k += 2) {
    const int r = find(m_areas->edges[k]), b = find(m_areas->edges[k + 1]);
    if (r == b || m_areas->area_colour[std::size_t(r)] != m_areas->area_colour[std::size_t(b)]) continue;
    const std::uint32_t c = m_areas->area_colour[std::size_t(r)];
    m_areas->area_colour[std::size_t(unite(r, b))] = c;
  }
}

void FillSeries::paint_areas(Bitmap& bitmap) {
  for (std::size_t i = 0; i < m_areas->run_count; ++i) {
    const Areas::Run& r = m_areas->runs[i];
    const std::uint32_t c = m_areas->area_colour[std::size_t(find(int(i)))];
    if (c != r.colour) std::fill(bitmap.row(r.y) + r.x1, bitmap.row(r.y) + r.x2 + 1, c);
  }
}

}  // namespace korvel
