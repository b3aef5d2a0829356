#pragma once
// The picture: shows the canvas buffer of the image control without copying
// it and hands its mouse events, in picture coordinates, to the model.
#include <QImage>
#include <QWidget>

#include "app/main_window.h"
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
  // The image over the canvas buffer, as painted.
  const QImage& image() const { return m_image; }

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

  TImage& m_model;
  ViewContext& m_context;
  QImage m_image;
};

}  // namespace korvel::qt
