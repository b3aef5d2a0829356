#include "files/timelapse_export.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <cstdio>
#include <memory>
#include <new>
#include <system_error>

#include "files/timelapse_frame.h"
#include "platform/own_files.h"
#include "platform/text.h"

namespace korvel {

namespace {

[[noreturn]] void fail(const std::string& cause) {
  throw EInOutError("Impossible de fabriquer le film de la création : " + cause);
}

struct EncoderDeleter {
  void operator()(WebPAnimEncoder* e) const { WebPAnimEncoderDelete(e); }
};

// One picture of the animation, opaque, in the encoder's ARGB.
class Frame {
 public:
  Frame(int width, int height) {
    if (!WebPPictureInit(&m_picture)) fail("la bibliothèque WebP ne convient pas");
    m_picture.use_argb = 1;
    m_picture.width = width;
    m_picture.height = height;
    if (!WebPPictureAlloc(&m_picture)) fail("la mémoire est insuffisante");
  }
  ~Frame() { WebPPictureFree(&m_picture); }
  Frame(const Frame&) = delete;
  Frame& operator=(const Frame&) = delete;
  WebPPicture* set(const Bitmap& picture) {
    for (int y = 0; y < picture.height(); ++y) {
      const std::uint32_t* from = picture.row(y);
      std::uint32_t* to = m_picture.argb + std::size_t(y) * std::size_t(m_picture.argb_stride);
      for (int x = 0; x < picture.width(); ++x) to[x] = from[x] | 0xFF000000u;
    }
    return &m_picture;
  }

 private:
  WebPPicture m_picture{};
};

}  // namespace

std::optional<std::string> encode_timelapse(const RecordedFrames& recorded, const Bitmap& picture,
                                            const ExportProgress& progress) {
  const int width = picture.width(), height = picture.height();
  if (width <= 0 || height <= 0) fail("l'image est vide");
  WebPAnimEncoderOptions options;
  WebPConfig config;
  if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&config)) fail("la bibliothèque WebP ne convient pas");
  options.anim_params.loop_count = 0;  // plays again and again
  // One key frame, the first: a time-lapse is played from its start, and
  // more key frames of a large picture would cost much time and room.
  options.kmin = 0;
  options.kmax = 0;
  // The fastest lossless effort: the frames differ by a stroke each, and
  // the largest pictures have millions of pixels.
  WebPConfigLosslessPreset(&config, 0);
  config.exact = 1;
  const std::unique_ptr<WebPAnimEncoder, EncoderDeleter> encoder(WebPAnimEncoderNew(width, height, &options));
  if (!encoder) fail("la mémoire est insuffisante");

  Frame frame(width, height);
  Bitmap composed(width, height);
  const int total = int(recorded.frames.size()) + 1;
  int timestamp = 0, done = 0;
  const auto add = [&](const Bitmap& b) {
    if (!WebPAnimEncoderAdd(encoder.get(), frame.set(b), timestamp, &config))
      fail(std::string("erreur de l'encodeur WebP (") + WebPAnimEncoderGetError(encoder.get()) + ")");
    timestamp += kFrameMilliseconds;
  };
  bool any = false;
  for (const std::string& bytes : recorded.frames) {
    if (apply_frame(bytes, composed)) {
      add(composed);
      any = true;
    }
    if (!progress(++done, total)) return std::nullopt;
  }
  if (!any || composed != picture) add(picture);
  if (!progress(total, total)) return std::nullopt;
  // The last frame lasts until the end time.
  if (!WebPAnimEncoderAdd(encoder.get(), nullptr, timestamp - kFrameMilliseconds + kLastFrameMilliseconds, nullptr))
    fail(std::string("erreur de l'encodeur WebP (") + WebPAnimEncoderGetError(encoder.get()) + ")");
  WebPData data;
  WebPDataInit(&data);
  if (!WebPAnimEncoderAssemble(encoder.get(), &data))
    fail(std::string("erreur de l'encodeur WebP (") + WebPAnimEncoderGetError(encoder.get()) + ")");
  std::string bytes(reinterpret_cast<const char*>(data.bytes), data.size);
  WebPDataClear(&data);
  return bytes;
}

std::string timelapse_file_name(int tm_year, int tm_mon, int tm_mday, int tm_hour, int tm_min) {
  char name[64];
  std::snprintf(name, sizeof name, "korvel-%04d-%02d-%02d-%02dh%02d.webp", tm_year + 1900, tm_mon + 1, tm_mday,
                tm_hour, tm_min);
  return name;
}

TimelapseExport::~TimelapseExport() {
  m_stop = true;
  wait();
}

void TimelapseExport::wait() {
  if (m_worker.joinable()) m_worker.join();
}

void TimelapseExport::start(Recording& recording, Bitmap picture, std::string path,
                            std::function<void(int, int)> on_progress,
                            std::function<void(std::optional<std::string> error)> on_end) {
  wait();
  m_stop = false;
  m_running = true;
  auto work = [this, &recording, picture = std::move(picture), path = std::move(path),
               on_progress = std::move(on_progress), on_end = std::move(on_end)] {
    std::optional<std::string> error;
    try {
      const RecordedFrames frames = recording.frames(picture.width(), picture.height());
      const auto bytes = encode_timelapse(frames, picture, [&](int done, int total) {
        on_progress(done, total);
        return !m_stop;
      });
      if (!bytes) {
        m_running = false;
        return;
      }
      write_file_atomically(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
    } catch (const std::bad_alloc&) {
      error = "Impossible de fabriquer le film de la création : la mémoire est insuffisante";
    } catch (const std::exception& e) {
      error = e.what();
    }
    m_running = false;
    on_end(error);
  };
  try {
    m_worker = std::thread(work);
  } catch (const std::system_error&) {
    work();  // no thread to be had: the same export, on this thread
  }
}

}  // namespace korvel
