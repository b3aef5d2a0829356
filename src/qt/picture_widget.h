#pragma once
// The picture: shows the canvas buffer of the image control without copying
// it and hands its mouse events, in picture coordinates, to the model. The
// guides, when shown, are painted over it, never into it.
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <optional>
#include <vector>

#include "app/main_window.h"
#include "draw/guides.h"
#include "qt/view_context.h"

namespace korvel::qt {

class PictureWidget : public QWidget {
  Q_OBJECT
 public:
  PictureWidget(TImage& model, ViewContext& context, QWidget* parent);
  void refresh();
  // Schedules a repaint of what the canvas changed since the last call (the
  // whole picture when its buffer was replaced).
  void show_changes();
  // The same, painted before returning (during a long handler).
  void paint_changes_now();
  // The image over the canvas buffer, as painted (without the guides).
  const QImage& image() const { return m_image; }
  // The guides painted over it now (empty while they are hidden).
  const Guides& guides() const { return m_guides; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  enum class Timing { later, now };
  // Repaints what the canvas changed (all of it after a new buffer).
  void present_changes(Timing timing);
  // Wraps the buffer again if the canvas got a new one; true if it did.
  bool wrap_buffer();
  // Where the picture is drawn, in logical pixels left and up of the
  // widget's origin: 0, or a fraction on a screen scaled by a whole factor.
  qreal picture_offset() const;
  // Takes the guides the form shows now; true when they changed.
  bool refresh_guides();
  // Paints `part` of the picture, at `offset`, from the canvas or as its
  // one colour.
  void paint_picture(QPainter& p, const QRect& part, qreal offset, std::optional<TColor> uniform);
  // The same straight into `target`, the painter's own pixels (`shift` from
  // the widget's), with the guides over it.
  void copy_into(QImage& target, QPoint shift, const QRect& part, std::optional<TColor> uniform);
  // The same through the painter, with the guides over it: by bands of
  // rows, the columns a band's guides touch going through a small copy
  // that gets their pixels.
  void paint_with_guides(QPainter& p, const QRect& part, qreal offset, std::optional<TColor> uniform);

  TImage& m_model;
  ViewContext& m_context;
  QImage m_image;
  std::optional<ParametresGuides> m_guides_shown;
  Guides m_guides;
  PixelsGuides m_guide_pixels;
  struct GuidePixel {
    int x, y;
    Teinte teinte;
  };
  std::vector<GuidePixel> m_band_pixels;
  // The places asked to be repainted since the last paint, and their union.
  std::vector<QRect> m_asked;
  QRegion m_asked_region;
  std::vector<QRect> m_painted;  // kept for its memory
  QImage m_band;
};

}  // namespace korvel::qt
