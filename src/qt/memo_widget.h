#pragma once
// A multi-line text box showing the model's lines. The user may edit it;
// the edited lines go back to the model. Its text is never dragged.
#include <QPlainTextEdit>

#include "platform/controls.h"

namespace korvel::qt {

class MemoWidget : public QPlainTextEdit {
  Q_OBJECT
 public:
  MemoWidget(Memo& model, QWidget* parent);
  void refresh();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QString model_text() const;
  // Whether the lines show whole, unwrapped and unscrolled, in the current font.
  bool lines_fit() const;

  Memo& m_model;
  bool m_writing_back = false;
};

}  // namespace korvel::qt
