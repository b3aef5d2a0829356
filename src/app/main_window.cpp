#include "app/main_window.h"

#include <algorithm>

#include "files/snapshot_writer.h"
#include "files/timelapse_export.h"
#include "files/timelapse_recording.h"

namespace korvel {

void TImage::new_graphic(int width, int height, TColor colour) {
  const LineThreads threads = m_canvas.line_threads();
  m_canvas = Canvas(width, height, colour);
  m_canvas.set_line_threads(threads);
}

TForm1::TForm1(Services services)
    : m_services(std::move(services)),
      m_export(std::make_unique<TimelapseExport>()),
      m_snapshot_writer(std::make_unique<SnapshotWriter>()) {
  create_controls();
  bind_handlers();
  Panel1.on_layout = [this] { realign(); };
  Timer1.set_interval(1000);
  Timer2.set_interval(1000);
}

TForm1::~TForm1() = default;

void TForm1::set_client_size(int width, int height) {
  ClientWidth = std::max(0, width);
  ClientHeight = std::max(0, height);
  realign();
}

void TForm1::realign() {
  // Re-entered through Panel1's layout slot when its bounds move here.
  if (m_realigning) return;
  m_realigning = true;
  int client_bottom = ClientHeight;
  if (Panel1.visible() && Panel1.align() == alBottom) {
    Panel1.set_bounds(0, ClientHeight - Panel1.height(), ClientWidth, Panel1.height());
    client_bottom -= Panel1.height();
  }
  if (ScrollBox1.align() == alClient) ScrollBox1.set_bounds(0, 0, ClientWidth, std::max(0, client_bottom));
  m_realigning = false;
}

}  // namespace korvel
