#include "qt/memo_widget.h"

#include <QStringList>

#include "qt/control_style.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

MemoWidget::MemoWidget(Memo& model, QWidget* parent) : QPlainTextEdit(parent), m_model(model) {
  bind_model(*this, model);
  setAttribute(Qt::WA_NoMousePropagation);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (toPlainText() == model_text()) return;
    std::vector<std::string> lines;
    for (const QString& line : toPlainText().split(QLatin1Char('\n'))) lines.push_back(to_std(line));
    m_writing_back = true;
    m_model.set_lines(std::move(lines));
    m_writing_back = false;
  });
  observe(*this, model, [this] { refresh(); });
  refresh();
}

void MemoWidget::mousePressEvent(QMouseEvent* event) {
  // A press on selected text would begin Qt's drag of it, whose own event
  // loop holds all other input, strokes included, until some later event
  // ends it. The press starts a new selection instead.
  QTextCursor cursor = textCursor();
  if (cursor.hasSelection()) {
    cursor.clearSelection();
    setTextCursor(cursor);
  }
  QPlainTextEdit::mousePressEvent(event);
}

QString MemoWidget::model_text() const {
  QStringList lines;
  for (const std::string& line : m_model.lines()) lines << to_qstring(line);
  return lines.join(QLatin1Char('\n'));
}

void MemoWidget::refresh() {
  // The user's own edit: the text is already what the model holds.
  if (!m_writing_back && toPlainText() != model_text()) setPlainText(model_text());
  apply_bounds(*this, m_model);
  apply_hint(*this, m_model);
  apply_font(*this, m_model);
  m_fit_pending = true;
  if (isVisible()) fit();
  apply_background(*this, m_model, QPalette::Base);
}

void MemoWidget::showEvent(QShowEvent* event) {
  if (m_fit_pending) fit();
  QPlainTextEdit::showEvent(event);
}

void MemoWidget::fit() {
  m_fit_pending = false;
  fit_font(*this, sans_font(m_model.font()), [this] { return lines_fit(); });
}

bool MemoWidget::lines_fit() const {
  // Every line on one row, and every row without scrolling: the room is the
  // frame's inside less the document's margin (and the cursor's pixel).
  const int margin = int(document()->documentMargin());
  const QRect room = contentsRect().adjusted(margin, margin, -margin - 1, -margin);
  const QFontMetrics metrics = fontMetrics();
  const QStringList lines = toPlainText().split(QLatin1Char('\n'));
  for (const QString& line : lines)
    if (metrics.horizontalAdvance(line) > room.width()) return false;
  return lines.size() * metrics.lineSpacing() <= room.height();
}

}  // namespace korvel::qt
