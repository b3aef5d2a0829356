#include "files/timelapse_recording.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "files/timelapse_frame.h"
#include "platform/text.h"

namespace korvel {

namespace {

constexpr std::string_view kPrefix = "frame-", kSuffix = ".kvf";
constexpr int kDigits = 12;
constexpr std::uint64_t kBlock = 4096;

std::uint64_t on_disk(std::uint64_t bytes) { return (bytes + kBlock - 1) / kBlock * kBlock; }

// The picture number of a frame file's name; nothing for other names.
// `temporary` also takes the names of files being written.
std::optional<std::uint64_t> number_of(std::string_view name, bool temporary) {
  if (!name.starts_with(kPrefix)) return std::nullopt;
  name.remove_prefix(kPrefix.size());
  if (name.size() < kDigits + kSuffix.size()) return std::nullopt;
  std::uint64_t number = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + kDigits, number);
  if (error != std::errc() || end != name.data() + kDigits) return std::nullopt;
  name.remove_prefix(kDigits);
  if (!name.starts_with(kSuffix)) return std::nullopt;
  name.remove_prefix(kSuffix.size());
  if (name.empty() || (temporary && name.starts_with('.'))) return number;
  return std::nullopt;
}

}  // namespace

Recording::Recording(TextFiles& files, std::string directory, std::uint64_t budget)
    : m_files(files), m_directory(std::move(directory)), m_budget(budget) {}

std::string Recording::name_of(std::uint64_t number) const {
  std::string digits = std::to_string(number);
  return m_directory + "/" + std::string(kPrefix) + std::string(kDigits - std::min<std::size_t>(kDigits, digits.size()), '0') +
         digits + std::string(kSuffix);
}

// A frame of every tile, deflated, with room to spare: nothing longer is
// one of ours.
std::uint64_t Recording::max_bytes() const {
  const std::uint64_t tiles = tile_count(m_last.width(), m_last.height());
  return std::uint64_t(m_last.width()) * std::uint64_t(m_last.height()) * 4 + tiles * 96 + 64;
}

bool Recording::on_grid(const Kept& k) const { return (k.number - m_kept.front().number) % m_stride == 0; }

std::uint64_t Recording::used() const {
  std::uint64_t total = 0;
  for (const Kept& k : m_kept) total += k.disk;
  return total;
}

void Recording::remove_quietly(const std::string& path) {
  try {
    m_files.remove(path);
  } catch (const EInOutError&) {
    // Left behind; the next recording that begins afresh removes it.
  }
}

// Replays the frames left on disk: from the last first frame on, each
// drawn over the ones before. Damaged frames and those of earlier
// recordings are removed.
void Recording::load(int width, int height) {
  m_loaded = true;
  m_kept.clear();
  m_stride = 1;
  m_last = Bitmap(width, height);
  std::vector<std::uint64_t> numbers;
  for (const TextFiles::Entry& entry : m_files.list_files(m_directory)) {
    if (const auto n = number_of(entry.name, false)) {
      numbers.push_back(*n);
      m_next = std::max(m_next, *n + 1);
    } else if (number_of(entry.name, true)) {
      remove_quietly(m_directory + "/" + entry.name);  // a write cut short
    }
  }
  std::sort(numbers.begin(), numbers.end());
  std::vector<std::uint64_t> dropped;
  for (const std::uint64_t n : numbers) {
    const auto bytes = m_files.read(name_of(n), max_bytes());
    const auto header = bytes ? read_frame_header(*bytes, width, height) : std::nullopt;
    if (header && header->kind == FrameKind::first) {
      for (const Kept& k : m_kept) dropped.push_back(k.number);
      m_kept.clear();
    }
    if (header && (!m_kept.empty() || header->kind == FrameKind::first) && apply_frame(*bytes, m_last)) {
      m_kept.push_back({n, on_disk(bytes->size())});
      m_stride = header->stride;
    } else if (bytes && header) {
      dropped.push_back(n);  // damaged, or after no first frame
    }
  }
  // Files that do not read as frames of this size are left: they may be a
  // recording made on another screen, which only a new first frame ends.
  for (const std::uint64_t n : dropped) remove_quietly(name_of(n));
}

void Recording::write(std::uint64_t number, const std::string& bytes, Kept& kept) {
  if (!m_directory_made) {
    m_files.make_directories(m_directory);
    m_directory_made = true;
  }
  m_files.write_unflushed(name_of(number), bytes);
  kept = {number, on_disk(bytes.size())};
}

void Recording::add(const Bitmap& picture) {
  const std::lock_guard lock(m_mutex);
  if (!m_loaded || m_last.width() != picture.width() || m_last.height() != picture.height())
    load(picture.width(), picture.height());
  if (m_kept.empty()) {
    start_afresh(picture);
    return;
  }
  const std::vector<std::uint32_t> tiles = changed_tiles(m_last, picture);
  if (tiles.empty()) return;
  const std::uint64_t number = m_next++;
  std::string frame = encode_frame(FrameKind::next, m_stride, picture, tiles);
  Kept kept{};
  if (m_kept.size() >= 2 && !on_grid(m_kept.back())) {
    // The tail stands for the pictures since the last kept place: the new
    // picture takes its place, holding its tiles too.
    const std::string tail = name_of(m_kept.back().number);
    const auto old = m_files.read(tail, max_bytes());
    const auto merged = old ? merge_frames(*old, frame, picture.width(), picture.height()) : std::nullopt;
    if (merged) {
      write(number, *merged, kept);
      remove_quietly(tail);
      m_kept.back() = kept;
    } else {
      write(number, frame, kept);
      m_kept.push_back(kept);
    }
  } else {
    write(number, frame, kept);
    m_kept.push_back(kept);
  }
  m_last = picture;
  keep_within_budget();
}

void Recording::begin_afresh(const Bitmap& picture) {
  const std::lock_guard lock(m_mutex);
  start_afresh(picture);
}

void Recording::start_afresh(const Bitmap& picture) {
  // The new first frame takes a number after every file there, so that a
  // removal cut short leaves only frames that sort before it.
  for (const TextFiles::Entry& entry : m_files.list_files(m_directory))
    if (const auto n = number_of(entry.name, false)) m_next = std::max(m_next, *n + 1);
  std::vector<std::uint32_t> all(tile_count(picture.width(), picture.height()));
  for (std::uint32_t t = 0; t < all.size(); ++t) all[t] = t;
  Kept kept{};
  write(m_next, encode_frame(FrameKind::first, 1, picture, all), kept);
  ++m_next;
  m_loaded = true;
  m_kept = {kept};
  m_stride = 1;
  m_last = picture;
  for (const TextFiles::Entry& entry : m_files.list_files(m_directory))
    if (const auto n = number_of(entry.name, true); n && *n != kept.number)
      remove_quietly(m_directory + "/" + entry.name);
  if (used() > m_budget) {
    // A single picture over the budget: nothing is kept.
    remove_quietly(name_of(kept.number));
    m_kept.clear();
  }
}

void Recording::keep_within_budget() {
  while (used() > m_budget && m_kept.size() > 2) {
    m_stride *= 2;
    thin();
  }
  if (used() > m_budget) start_afresh(Bitmap(m_last));
}

// Each frame between the first and the last that is off the grid is merged
// into the frame after it.
void Recording::thin() {
  std::vector<Kept> kept{m_kept.front()};
  for (std::size_t i = 1; i + 1 < m_kept.size(); ++i) {
    if (on_grid(m_kept[i])) {
      kept.push_back(m_kept[i]);
      continue;
    }
    const std::string earlier = name_of(m_kept[i].number), later = name_of(m_kept[i + 1].number);
    const auto a = m_files.read(earlier, max_bytes());
    const auto b = m_files.read(later, max_bytes());
    const auto merged = a && b ? merge_frames(*a, *b, m_last.width(), m_last.height()) : std::nullopt;
    if (!merged) {
      kept.push_back(m_kept[i]);
      continue;
    }
    write(m_kept[i + 1].number, *merged, m_kept[i + 1]);
    remove_quietly(earlier);
  }
  kept.push_back(m_kept.back());
  m_kept = std::move(kept);
}

RecordedFrames Recording::frames(int width, int height) {
  const std::lock_guard lock(m_mutex);
  if (!m_loaded || m_last.width() != width || m_last.height() != height) load(width, height);
  RecordedFrames out{width, height, {}};
  for (const Kept& k : m_kept)
    if (auto bytes = m_files.read(name_of(k.number), max_bytes())) out.frames.push_back(std::move(*bytes));
  return out;
}

std::uint64_t Recording::disk_use() {
  const std::lock_guard lock(m_mutex);
  return used();
}

std::vector<std::uint64_t> Recording::picture_numbers() {
  const std::lock_guard lock(m_mutex);
  std::vector<std::uint64_t> numbers;
  for (const Kept& k : m_kept) numbers.push_back(k.number - m_kept.front().number);
  return numbers;
}

}  // namespace korvel
