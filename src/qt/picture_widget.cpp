#include "qt/picture_widget.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>

#include "qt/control_style.h"
#include "qt/mouse_forwarding.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

PictureWidget::PictureWidget(TImage& model, ViewContext& context, QWidget* parent)
    : QWidget(parent), m_model(model), m_context(context) {
  bind_model(*this, model);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoMousePropagation);
  observe(*this, model, [this] { refresh(); });
  refresh();
}

void PictureWidget::refresh() {
  apply_bounds(*this, m_model);
  show_changes();
}

bool PictureWidget::wrap_buffer() {
  const Bitmap& bitmap = m_model.canvas().bitmap();
  const auto* bits = reinterpret_cast<const uchar*>(bitmap.data());
  if (m_image.constBits() == bits && m_image.width() == bitmap.width() && m_image.height() == bitmap.height())
    return false;
  // Read-only wrapper: the pixels stay the canvas's, 0x00RRGGBB rows.
  m_image = bitmap.empty() ? QImage()
                           : QImage(bits, bitmap.width(), bitmap.height(), bitmap.width() * 4, QImage::Format_RGB32);
  return true;
}

void PictureWidget::show_changes() { present_changes(Timing::later); }

void PictureWidget::paint_changes_now() { present_changes(Timing::now); }

bool PictureWidget::refresh_guides() {
  std::optional<ParametresGuides> now = m_context.form().parametres_guides();
  if (now == m_guides_shown) return false;
  m_guides = now ? calcule_guides(*now) : Guides{};
  // Worked out once here, so that a move only copies those in its places.
  m_guide_pixels = PixelsGuides(m_guides);
  m_guides_shown = std::move(now);
  return true;
}

void PictureWidget::present_changes(Timing timing) {
  const ChangedArea changed = m_model.canvas().take_changed_area();
  const bool new_buffer = wrap_buffer();
  // Guides that moved leave their old place and reach their new one: rays
  // cross the whole picture. Otherwise they repaint only where it changed.
  const bool new_guides = refresh_guides();
  if (new_buffer || new_guides) {
    timing == Timing::now ? repaint() : update();
    return;
  }
  if (changed.empty()) return;
  // Only the places that changed: a rosette's copies lie far apart.
  QRegion area;
  for (const Rect& r : changed.rects()) {
    // Half a pixel more up and left: where the picture is drawn shifted.
    const QRect place = to_qrect(r).adjusted(-1, -1, 0, 0) & rect();
    area += place;
    m_asked.push_back(place);
  }
  m_asked_region += area;
  // Not painted for long (a hidden window): the paint will go by Qt's cut.
  if (m_asked.size() > 4 * ChangedArea::kMostRects) {
    m_asked.clear();
    m_asked_region = QRegion();
  }
  if (timing == Timing::now)
    repaint(area);
  else
    update(area);
}

qreal PictureWidget::picture_offset() const {
  // The window system gives the pointer's logical position rounded to the
  // nearest: at a whole scale s, picture pixel x receives the device pixels
  // from s*x - s/2 on. Drawn shifted by as much, each picture pixel covers
  // exactly the device pixels whose pointer positions reach it.
  const qreal scale = devicePixelRatioF();
  const int whole = qRound(scale);
  if (whole < 2 || !qFuzzyCompare(scale, qreal(whole))) return 0;
  return -qreal(whole / 2) / scale;
}

namespace {

// The image the painter draws into, when its pixels are the widget's own
// one for one (the raster backing store, unscaled, of the picture's format):
// the picture's rows can then be copied there, and the guides' pixels set,
// without going through the painter for each place a move changed.
QImage* plain_target(QPainter& p, qreal offset) {
  auto* target = dynamic_cast<QImage*>(p.paintEngine()->paintDevice());
  if (!target || offset != 0 || target->format() != QImage::Format_RGB32 || target->devicePixelRatio() != 1 ||
      p.deviceTransform().type() > QTransform::TxTranslate)
    return nullptr;
  return target;
}

constexpr QRgb kLight = qRgb(255, 255, 255), kDark = qRgb(0, 0, 0);

}  // namespace

void PictureWidget::paintEvent(QPaintEvent* event) {
  // Never paint from a buffer the canvas has let go.
  wrap_buffer();
  QPainter p(this);
  const QRect area = event->rect();
  const qreal offset = picture_offset();
  const QRectF shown = QRectF(m_image.rect()).translated(offset, offset);
  // A picture still in the one colour it was made in is that colour: its
  // pixels need not be read (a new picture's memory is not even mapped yet).
  const std::optional<TColor> uniform = offset ? std::nullopt : m_model.canvas().uniform_colour();
  QImage* target = plain_target(p, offset);
  QRect target_rect;
  if (target) {
    const QPointF shift = p.deviceTransform().map(QPointF(0, 0));
    target_rect = target->rect().translated(-qRound(shift.x()), -qRound(shift.y()));
  }
  // Qt cuts the places asked for into bands, several rectangles each: when
  // it paints just those places, they are painted as they were asked.
  const QRegion& region = event->region();
  const bool as_asked = !m_asked.empty() && region == m_asked_region;
  if (as_asked)
    m_painted.swap(m_asked);
  else
    m_painted.assign(region.begin(), region.end());
  m_asked.clear();
  m_asked_region = QRegion();
  for (const QRect& r : m_painted) {
    const QRect part = (offset ? r.adjusted(0, 0, 1, 1) : r) & m_image.rect();
    if (part.isEmpty()) continue;
    if (target) {
      // What the copy cannot reach, if any, the painter clips as it must.
      const QRect inside = part & target_rect;
      if (!inside.isEmpty()) copy_into(*target, -target_rect.topLeft(), inside, uniform);
      if (inside != part)
        for (const QRect& rest : QRegion(part) - QRegion(inside)) paint_picture(p, rest, offset, uniform);
    } else if (m_guide_pixels.empty()) {
      paint_picture(p, part, offset, uniform);
    } else {
      paint_with_guides(p, part, offset, uniform);
    }
  }
  // Beyond the picture (before the first resize has made it, or the last
  // half pixel of a shifted one): the scroll box's colour.
  const QColor box = m_model.parent() ? to_qcolor(m_model.parent()->color()) : QColor(Qt::black);
  const QRectF right(shown.right(), area.top(), qMax(0.0, area.right() + 1 - shown.right()), area.height());
  const QRectF below(area.left(), shown.bottom(), area.width(), qMax(0.0, area.bottom() + 1 - shown.bottom()));
  for (const QRectF& r : {right, below})
    if (!r.isEmpty()) p.fillRect(r, box);
}

void PictureWidget::paint_picture(QPainter& p, const QRect& part, qreal offset, std::optional<TColor> uniform) {
  if (part.isEmpty()) return;
  if (uniform)
    p.fillRect(part, to_qcolor(*uniform));
  else
    p.drawImage(QPointF(part.topLeft()) + QPointF(offset, offset), m_image, part);
}

void PictureWidget::copy_into(QImage& target, QPoint shift, const QRect& part, std::optional<TColor> uniform) {
  // Not scanLine(), which would detach the image from the painter's.
  auto* bits = const_cast<uchar*>(target.constBits());
  const qsizetype stride = target.bytesPerLine();
  const auto row = [&](int y) { return reinterpret_cast<QRgb*>(bits + (y + shift.y()) * stride) + shift.x(); };
  const QRgb colour = uniform ? to_qcolor(*uniform).rgb() : 0;
  // A large part by bands of a tile's rows, the guides' pixels set while the
  // band is in the processor's cache; a small one at once.
  constexpr int kBand = PixelsGuides::kTuile;
  const bool small = part.height() <= 4 * kBand;
  for (int top = part.top(), bottom; top <= part.bottom(); top = bottom) {
    bottom = small ? part.bottom() + 1 : std::min(part.bottom() + 1, (top / kBand + 1) * kBand);
    for (int y = top; y < bottom; ++y) {
      QRgb* to = row(y) + part.left();
      if (uniform) {
        std::fill(to, to + part.width(), colour);
      } else {
        const auto* from = reinterpret_cast<const QRgb*>(m_image.constScanLine(y)) + part.left();
        std::copy(from, from + part.width(), to);
      }
    }
    m_guide_pixels.pour_chaque_pixel(Rect{part.left(), top, part.right() + 1, bottom}, [&](int x, int y, Teinte t) {
      row(y)[x] = t == Teinte::claire ? kLight : kDark;
    });
  }
}

void PictureWidget::paint_with_guides(QPainter& p, const QRect& part, qreal offset, std::optional<TColor> uniform) {
  // A band stays in the processor's cache between its copy and its blit.
  constexpr int kBandRows = 32;
  if (m_band.width() < m_image.width())
    m_band = QImage(m_image.width(), kBandRows, QImage::Format_RGB32);
  for (int top = part.top(); top <= part.bottom(); top += kBandRows) {
    const QRect band(part.left(), top, part.width(), std::min(kBandRows, part.bottom() + 1 - top));
    m_band_pixels.clear();
    const Rect zone{band.left(), band.top(), band.right() + 1, band.bottom() + 1};
    m_guide_pixels.pour_chaque_pixel(zone, [&](int x, int y, Teinte t) { m_band_pixels.push_back({x, y, t}); });
    if (m_band_pixels.empty()) {
      paint_picture(p, band, offset, uniform);
      continue;
    }
    int left = band.right(), right = band.left();
    for (const GuidePixel& g : m_band_pixels) {
      left = std::min(left, g.x);
      right = std::max(right, g.x);
    }
    const QRect middle(left, band.top(), right + 1 - left, band.height());
    paint_picture(p, QRect(band.left(), band.top(), left - band.left(), band.height()), offset, uniform);
    paint_picture(p, QRect(right + 1, band.top(), band.right() - right, band.height()), offset, uniform);
    for (int y = 0; y < middle.height(); ++y) {
      auto* to = reinterpret_cast<QRgb*>(m_band.scanLine(y));
      if (uniform) {
        std::fill(to, to + middle.width(), to_qcolor(*uniform).rgb());
      } else {
        const auto* from = reinterpret_cast<const QRgb*>(m_image.constScanLine(middle.top() + y)) + left;
        std::copy(from, from + middle.width(), to);
      }
    }
    for (const GuidePixel& g : m_band_pixels)
      reinterpret_cast<QRgb*>(m_band.scanLine(g.y - middle.top()))[g.x - left] = g.teinte == Teinte::claire ? kLight : kDark;
    p.drawImage(QPointF(middle.topLeft()) + QPointF(offset, offset), m_band,
                QRect(0, 0, middle.width(), middle.height()));
  }
}

void PictureWidget::mousePressEvent(QMouseEvent* event) { forward_mouse(m_context, *event, m_model, &m_model); }

void PictureWidget::mouseDoubleClickEvent(QMouseEvent* event) { forward_mouse(m_context, *event, m_model, &m_model); }

void PictureWidget::mouseMoveEvent(QMouseEvent* event) { forward_mouse(m_context, *event, m_model, &m_model); }

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) { forward_mouse(m_context, *event, m_model, &m_model); }

}  // namespace korvel::qt
