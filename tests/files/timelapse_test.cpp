// The time-lapse: frames that merge as if played in turn, a recording that
// restarts, begins afresh and stays within its budget while still playing
// the whole making, and an export that plays back to the picture on screen.
#include <webp/demux.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "files/snapshot_writer.h"
#include "files/timelapse_export.h"
#include "files/timelapse_frame.h"
#include "files/timelapse_recording.h"
#include "support/form_fixture.h"
#include "support/memory_text_files.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using testing::MemoryTextFiles;
using testing::StartedForm;

// `count` rectangles of random colours over `picture`.
void scribble(Bitmap& picture, std::mt19937& random, int count) {
  for (int i = 0; i < count; ++i) {
    const int x = int(random() % unsigned(picture.width())), y = int(random() % unsigned(picture.height()));
    const TColor colour = random() & 0xFFFFFF;
    for (int dy = 0; dy < 9; ++dy)
      for (int dx = 0; dx < 13; ++dx) picture.set_colour(x + dx, y + dy, colour);
  }
}

// The pictures a recording plays, in order.
std::vector<Bitmap> played(const RecordedFrames& recorded) {
  std::vector<Bitmap> pictures;
  Bitmap picture(recorded.width, recorded.height);
  for (const std::string& frame : recorded.frames) {
    EXPECT_TRUE(apply_frame(frame, picture));
    pictures.push_back(picture);
  }
  return pictures;
}

constexpr const char* kDir = "/state/korvel/timelapse";

TEST(TimelapseFrame, AMergedFrameIsBothPlayedInTurn) {
  std::mt19937 random(1);
  for (const auto& [width, height] : {std::pair{200, 130}, std::pair{64, 64}, std::pair{1, 300}}) {
    Bitmap a(width, height), b(width, height), c(width, height);
    scribble(b, random, 4);
    c = b;
    scribble(c, random, 4);
    const std::string first = encode_frame(FrameKind::next, 2, b, changed_tiles(a, b));
    const std::string second = encode_frame(FrameKind::next, 4, c, changed_tiles(b, c));
    Bitmap in_turn = a, merged = a;
    ASSERT_TRUE(apply_frame(first, in_turn));
    ASSERT_TRUE(apply_frame(second, in_turn));
    EXPECT_EQ(in_turn, c);
    const auto both = merge_frames(first, second, width, height);
    ASSERT_TRUE(both);
    ASSERT_TRUE(apply_frame(*both, merged));
    EXPECT_EQ(merged, c) << width << "x" << height;
    EXPECT_EQ(read_frame_header(*both, width, height)->stride, 4u);
  }
}

TEST(TimelapseFrame, ADamagedFrameDrawsNothing) {
  std::mt19937 random(2);
  Bitmap picture(150, 100);
  scribble(picture, random, 20);
  const std::string good = encode_frame(FrameKind::first, 1, picture, changed_tiles(Bitmap(), picture));
  const auto patched = [&](std::size_t at, char byte) {
    std::string bytes = good;
    bytes[at] = byte;
    return bytes;
  };
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"cut short", good.substr(0, good.size() - 1)},
      {"a byte too many", good + "x"},
      {"not ours", patched(0, 'X')},
      {"unknown kind", patched(4, 9)},
      {"another width", patched(8, 1)},
      {"a tile index out of range", patched(24, char(0xFF))},
      {"deflated bytes damaged", patched(good.size() - 5, char(good[good.size() - 5] ^ 0x55))},
  };
  for (const auto& c : cases) {
    Bitmap target(150, 100, clRed);
    EXPECT_FALSE(apply_frame(c.bytes, target)) << c.what;
    EXPECT_EQ(target, Bitmap(150, 100, clRed)) << c.what;
  }
  Bitmap target(150, 100);
  EXPECT_TRUE(apply_frame(good, target));
  EXPECT_EQ(target, picture);
}

TEST(TimelapseRecording, OneFramePerChangeThatSurvivesARestart) {
  MemoryTextFiles files;
  std::mt19937 random(3);
  std::vector<Bitmap> pictures{Bitmap(120, 90)};
  {
    Recording recording(files, kDir);
    recording.add(pictures.back());
    for (int i = 0; i < 5; ++i) {
      pictures.push_back(pictures.back());
      scribble(pictures.back(), random, 2);
      recording.add(pictures.back());
    }
    recording.add(pictures.back());  // unchanged: no frame
  }
  Recording restarted(files, kDir);
  EXPECT_EQ(played(restarted.frames(120, 90)), pictures);
  pictures.push_back(pictures.back());
  scribble(pictures.back(), random, 2);
  restarted.add(pictures.back());
  EXPECT_EQ(played(Recording(files, kDir).frames(120, 90)), pictures);
  EXPECT_EQ(restarted.picture_numbers(), (std::vector<std::uint64_t>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(TimelapseRecording, WhatBeginsAfresh) {
  const struct {
    const char* what;
    std::function<void(Recording&, const Bitmap&)> step;
    std::size_t frames_after;
  } cases[] = {
      {"another picture", [](Recording& r, const Bitmap& b) { r.add(b); }, 4},
      {"begin afresh", [](Recording& r, const Bitmap& b) { r.begin_afresh(b); }, 1},
      {"another size", [](Recording& r, const Bitmap&) { r.add(Bitmap(60, 90, TColor(0xFF0000))); }, 1},
  };
  for (const auto& c : cases) {
    MemoryTextFiles files;
    Recording recording(files, kDir);
    for (const TColor colour : {clRed, clGreen, TColor(0xFF0000)}) recording.add(Bitmap(120, 90, colour));
    // A write cut short and a file that is not ours.
    files.files[std::string(kDir) + "/frame-000000000001.kvf.Ab12Cd"] = "partial";
    files.files[std::string(kDir) + "/notes.txt"] = "mine";
    c.step(recording, Bitmap(120, 90, TColor(0x00FFFF)));
    EXPECT_EQ(recording.picture_numbers().size(), c.frames_after) << c.what;
    // What the next start finds on disk, whatever the size.
    Recording restarted(files, kDir);
    const bool resized = c.frames_after == 1 && std::string(c.what) == "another size";
    EXPECT_EQ(restarted.frames(resized ? 60 : 120, 90).frames.size(), c.frames_after) << c.what;
    EXPECT_TRUE(files.files.count(std::string(kDir) + "/notes.txt")) << c.what;
    if (c.frames_after == 1) {
      std::size_t ours = 0;
      for (const auto& entry : files.list_files(kDir)) ours += entry.name.starts_with("frame-");
      EXPECT_EQ(ours, 1u) << c.what;
    }
  }
}

TEST(TimelapseRecording, ADamagedFrameIsPassedOverAtRestart) {
  MemoryTextFiles files;
  {
    Recording recording(files, kDir);
    for (const TColor colour : {clRed, clGreen, TColor(0xFF0000)}) recording.add(Bitmap(70, 70, colour));
  }
  files.files[std::string(kDir) + "/frame-000000000001.kvf"] = "KVF1 damaged";
  Recording restarted(files, kDir);
  const std::vector<Bitmap> pictures = played(restarted.frames(70, 70));
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures.back(), Bitmap(70, 70, TColor(0xFF0000)));
}

// Thinned within budget: the first picture and the latest are kept, and the
// kept ones are spread evenly over the making (the latest aside).
TEST(TimelapseRecording, ThinnedEvenlyWithinItsBudget) {
  for (const std::uint64_t budget : {std::uint64_t(120'000), std::uint64_t(400'000)}) {
    MemoryTextFiles files;
    Recording recording(files, kDir, budget);
    std::mt19937 random(4);
    Bitmap picture(320, 240);
    scribble(picture, random, 50);
    recording.add(picture);
    for (int i = 1; i < 300; ++i) {
      scribble(picture, random, 1);
      recording.add(picture);
      ASSERT_LE(recording.disk_use(), budget) << i;
    }
    const std::vector<std::uint64_t> numbers = recording.picture_numbers();
    ASSERT_GE(numbers.size(), 8u) << budget;
    EXPECT_EQ(numbers.front(), 0u);
    EXPECT_EQ(numbers.back(), 299u);
    const std::uint64_t gap = numbers[1] - numbers[0];
    EXPECT_GT(gap, 1u);
    for (std::size_t i = 1; i + 1 < numbers.size(); ++i) EXPECT_EQ(numbers[i] - numbers[i - 1], gap) << budget;
    EXPECT_EQ(played(recording.frames(320, 240)).back(), picture);
    EXPECT_EQ(played(Recording(files, kDir, budget).frames(320, 240)).back(), picture);
  }
}

// ---- through the window --------------------------------------------------------

void stroke(StartedForm& f, int k) {
  const int w = f.canvas().width(), h = f.canvas().height();
  const int x = 20 + (k * 37) % (w - 40), y = 20 + (k * 53) % (h - 40);
  f->FormMouseDown(mbLeft, ssLeft, x, y);
  f->FormMouseMove(ssLeft, x + 15, y + 4 + k % 7);
  f->FormMouseMove(ssLeft, x + 25, y + 20);
  f->FormMouseUp(mbLeft, 0, x + 25, y + 20);
}

// The form's recording as the next start finds it.
std::vector<Bitmap> recorded(StartedForm& f) {
  f->attend_instantane();
  return played(Recording(f.text_files, f->rep_film).frames(f.canvas().width(), f.canvas().height()));
}

TEST(TimelapseWindow, WhatEachCommandRecords) {
  StartedForm f(160, 120);
  f.files.files["/pics/open.bmp"] = Bitmap(50, 50, clRed);
  const struct {
    const char* what;
    std::function<void()> command;
    std::size_t frames_after;
  } steps[] = {
      {"E wipes: afresh", [&] { std::uint16_t k = 'E'; f->FormKeyDown(k, 0); }, 1},
      {"a stroke", [&] { stroke(f, 1); }, 2},
      {"another stroke", [&] { stroke(f, 2); }, 3},
      {"F8 shows the stroke before", [&] { std::uint16_t k = vk::F8; f->FormKeyDown(k, 0); }, 4},
      {"New on white", [&] { f->Panel2Click(); }, 5},
      {"F3 records nothing", [&] { std::uint16_t k = vk::F3; f->FormKeyDown(k, 0); }, 5},
      {"opening a file: afresh",
       [&] {
         f.desktop.open_answers.push_back("/pics/open.bmp");
         f->Panel5Click();
       },
       1},
  };
  for (const auto& step : steps) {
    step.command();
    const std::vector<Bitmap> pictures = recorded(f);
    ASSERT_EQ(pictures.size(), step.frames_after) << step.what;
    EXPECT_EQ(pictures.back(), f.canvas().bitmap()) << step.what;
  }
  EXPECT_TRUE(f.desktop.errors.empty());
}

struct DecodedAnimation {
  int width = 0, height = 0;
  std::vector<int> timestamps;
  std::vector<std::uint8_t> last_rgba;
};

DecodedAnimation decode(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const WebPData data{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
  WebPAnimDecoderOptions options;
  WebPAnimDecoderOptionsInit(&options);
  options.color_mode = MODE_RGBA;
  WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
  DecodedAnimation out;
  if (!decoder) return out;
  WebPAnimInfo info;
  WebPAnimDecoderGetInfo(decoder, &info);
  out.width = int(info.canvas_width);
  out.height = int(info.canvas_height);
  std::uint8_t* rgba = nullptr;
  int timestamp = 0;
  while (WebPAnimDecoderHasMoreFrames(decoder) && WebPAnimDecoderGetNext(decoder, &rgba, &timestamp)) {
    out.timestamps.push_back(timestamp);
    out.last_rgba.assign(rgba, rgba + std::size_t(out.width) * std::size_t(out.height) * 4);
  }
  WebPAnimDecoderDelete(decoder);
  return out;
}

std::vector<std::uint8_t> rgba_of(const Bitmap& b) {
  std::vector<std::uint8_t> out;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) {
      const std::uint32_t p = b.row(y)[x];
      out.insert(out.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p), 0xFF});
    }
  return out;
}

struct TimelapseExportTest : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("korvel-timelapse-" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  // F3 answered with `path`, waited for and its outcome shown.
  static void export_to(StartedForm& f, const fs::path& path) {
    f.desktop.save_answers.push_back(path.string());
    std::uint16_t key = vk::F3;
    f->FormKeyDown(key, 0);
    f->wait_for_export();
    f.desktop.run_posted();
  }
};

TEST_F(TimelapseExportTest, FiftyStrokesPlayBackToTheSavedPicture) {
  StartedForm f(640, 400);
  std::uint16_t wipe = 'E';
  f->FormKeyDown(wipe, 0);
  for (int k = 0; k < 50; ++k) stroke(f, k);
  export_to(f, dir / "film");
  ASSERT_TRUE(f.desktop.errors.empty()) << f.desktop.errors.front();
  ASSERT_EQ(f.desktop.save_dialogs.size(), 1u);
  EXPECT_EQ(f.desktop.save_dialogs[0].initial_dir, "/home/user/Pictures");
  EXPECT_TRUE(f.desktop.save_dialogs[0].file_name.starts_with("korvel-")) << f.desktop.save_dialogs[0].file_name;
  EXPECT_EQ(f.desktop.progress_ends, std::vector<std::string>{"Film de la création enregistré : " + (dir / "film.webp").string()});

  f.desktop.save_answers.push_back("/pics/saved.bmp");
  f->Panel7Click();
  const DecodedAnimation film = decode(dir / "film.webp");
  EXPECT_EQ(film.width, 640);
  EXPECT_EQ(film.height, 400);
  ASSERT_EQ(film.timestamps.size(), 51u);  // the wiped picture, then each stroke
  for (std::size_t i = 1; i + 1 < film.timestamps.size(); ++i)
    EXPECT_EQ(film.timestamps[i] - film.timestamps[i - 1], kFrameMilliseconds);
  EXPECT_EQ(film.timestamps.back() - film.timestamps[49], kLastFrameMilliseconds);
  EXPECT_TRUE(film.last_rgba == rgba_of(f.files.files.at("/pics/saved.bmp")));
}

TEST_F(TimelapseExportTest, EndsOnThePictureShownAndSaysWhyItFailed) {
  StartedForm f(200, 150);
  stroke(f, 1);
  f.canvas().Brush.Color = clRed;
  f.canvas().FillRect(0, 0, 30, 30);  // drawn since the last snapshot
  export_to(f, dir / "a.webp");
  const DecodedAnimation film = decode(dir / "a.webp");
  ASSERT_EQ(film.timestamps.size(), 2u);
  EXPECT_TRUE(film.last_rgba == rgba_of(f.canvas().bitmap()));

  export_to(f, dir / "missing" / "b.webp");
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_NE(f.desktop.errors[0].find("le dossier n'existe pas"), std::string::npos) << f.desktop.errors[0];
  EXPECT_EQ(f.desktop.progress_ends.back(), "");
}

TEST(TimelapseFileName, DatedAndNumberedWhenTaken) {
  EXPECT_EQ(timelapse_file_name(126, 11, 9, 15, 5), "korvel-2026-12-09-15h05.webp");
  StartedForm f(64, 48);
  std::uint16_t key = vk::F3;
  f->FormKeyDown(key, 0);  // cancelled
  const std::string first = f.desktop.save_dialogs.at(0).file_name;
  f.files.files["/home/user/Pictures/" + first] = Bitmap(1, 1);
  f->FormKeyDown(key, 0);
  const std::string second = f.desktop.save_dialogs.at(1).file_name;
  if (second.substr(0, 23) == first.substr(0, 23)) {  // the same minute
    EXPECT_EQ(second, first.substr(0, first.size() - 5) + "_1.webp");
  }
}

}  // namespace
}  // namespace korvel
