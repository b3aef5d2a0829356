#include "qt/picture_widget.h"

#include <QMouseEvent>
#include <QPainter>

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

void PictureWidget::present_changes(Timing timing) {
  const Rect changed = m_model.canvas().take_changed();
  const bool whole = wrap_buffer();
  if (!whole && changed.empty()) return;
  // Half a pixel more up and left: where the picture is drawn shifted.
  const QRect area = whole ? rect() : to_qrect(changed).adjusted(-1, -1, 0, 0);
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

void PictureWidget::paintEvent(QPaintEvent* event) {
  // Never paint from a buffer the canvas has let go.
  wrap_buffer();
  QPainter p(this);
  const QRect area = event->rect();
  const qreal offset = picture_offset();
  const QRectF shown = QRectF(m_image.rect()).translated(offset, offset);
  const QRect picture = (offset ? area.adjusted(0, 0, 1, 1) : area) & m_image.rect();
  if (!picture.isEmpty()) {
    // A picture still in the one colour it was made in is that colour: its
    // pixels need not be read (a new picture's memory is not even mapped yet).
    const std::optional<TColor> uniform = offset ? std::nullopt : m_model.canvas().uniform_colour();
    if (uniform)
      p.fillRect(picture, to_qcolor(*uniform));
    else
      p.drawImage(QPointF(picture.topLeft()) + QPointF(offset, offset), m_image, picture);
  }
  // Beyond the picture (before the first resize has made it, or the last
  // half pixel of a shifted one): the scroll box's colour.
  const QColor box = m_model.parent() ? to_qcolor(m_model.parent()->color()) : QColor(Qt::black);
  const QRectF right(shown.right(), area.top(), qMax(0.0, area.right() + 1 - shown.right()), area.height());
  const QRectF below(area.left(), shown.bottom(), area.width(), qMax(0.0, area.bottom() + 1 - shown.bottom()));
  for (const QRectF& r : {right, below})
    if (!r.isEmpty()) p.fillRect(r, box);
}

void PictureWidget::mousePressEvent(QMouseEvent* event) { forward_mouse(m_context, *event, m_model, &m_model); }

void PictureWidget::mouseDoubleClickEvent(QMouseEvent* event) { forward_mouse(m_context, *event, m_model, &m_model); }

void PictureWidget::mouseMoveEvent(QMouseEvent* event) { forward_mouse(m_context, *event, m_model, &m_model); }

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) { forward_mouse(m_context, *event, m_model, &m_model); }

}  // namespace korvel::qt
