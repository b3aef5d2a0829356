#pragma once
// The recording of how the picture was made: one frame file per picture
// kept, in the program's state directory, within a budget of disk.
//
// When the budget is reached, every other frame is merged into the one
// after it and from then on only every 2nd picture keeps a frame of its
// own (then every 4th, ...): the kept frames stay evenly spread over the
// whole making, the first is always kept, and the last is always the
// latest picture (between two kept places it takes in each new picture).
//
// Every change on disk is a whole file written under a new name or
// replacing a frame by one that holds it, then the removal of what it
// replaces: a recording cut short anywhere still plays to the same
// pictures, and it survives a restart.
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/text_files.h"

namespace korvel {

inline constexpr std::uint64_t kRecordingBudget = 200'000'000;  // bytes of disk

// The frame files in order, as they are at one moment: what an export reads.
struct RecordedFrames {
  int width = 0, height = 0;
  std::vector<std::string> frames;
};

class Recording {
 public:
  // Nothing is read or written before the first use.
  Recording(TextFiles& files, std::string directory, std::uint64_t budget = kRecordingBudget);
  Recording(const Recording&) = delete;
  Recording& operator=(const Recording&) = delete;

  // `picture` becomes the next frame; nothing when it is the last frame's
  // picture. A picture of another size than the recording's begins afresh.
  // Throws EInOutError, the recording left as it was, when a file cannot be
  // written.
  void add(const Bitmap& picture);
  // Forgets every frame: `picture` is the first of a new recording.
  void begin_afresh(const Bitmap& picture);

  // The frames of a picture of that size (none when the recording is of
  // another size). Safe from any thread.
  RecordedFrames frames(int width, int height);

  // What it holds: the disk it takes (whole blocks), and the number of the
  // picture each kept frame shows, counted from the first.
  std::uint64_t disk_use();
  std::vector<std::uint64_t> picture_numbers();

 private:
  struct Kept {
    std::uint64_t number;  // of the picture, across recordings: names sort in order
    std::uint64_t disk;
  };
  std::string name_of(std::uint64_t number) const;
  std::uint64_t max_bytes() const;
  void load(int width, int height);
  void start_afresh(const Bitmap& picture);
  void write(std::uint64_t number, const std::string& bytes, Kept& kept);
  void remove_quietly(const std::string& path);
  bool on_grid(const Kept& k) const;
  void keep_within_budget();
  void thin();
  std::uint64_t used() const;

  TextFiles& m_files;
  const std::string m_directory;
  const std::uint64_t m_budget;
  std::mutex m_mutex;
  bool m_loaded = false;
  bool m_directory_made = false;
  std::vector<Kept> m_kept;
  std::uint32_t m_stride = 1;
  std::uint64_t m_next = 0;
  Bitmap m_last;  // the picture the kept frames add up to
};

}  // namespace korvel
