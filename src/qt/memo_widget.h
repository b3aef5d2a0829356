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
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // The font lowered until the lines fit; put off while the memo is hidden
  // (the help is, at start), as measuring every line takes a while.
  void fit();
  QString model_text() const;
  // Whether the lines show whole, unwrapped and unscrolled, in the current font.
  bool lines_fit() const;

  Memo& m_model;
  bool m_writing_back = false;
  bool m_fit_pending = false;
};

}  // namespace korvel::qt
