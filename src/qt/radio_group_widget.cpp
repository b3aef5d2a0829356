#include "qt/radio_group_widget.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <algorithm>

#include "qt/control_style.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

RadioGroupWidget::RadioGroupWidget(RadioGroup& model, ViewContext& context, QWidget* parent)
    : QGroupBox(parent), m_model(model), m_context(context) {
  bind_model(*this, model);
  setAttribute(Qt::WA_NoMousePropagation);
  observe(*this, model, [this] { refresh(); });
  refresh();
}

void RadioGroupWidget::rebuild_buttons() {
  for (QRadioButton* b : m_buttons) delete b;
  m_buttons.clear();
  const auto& items = m_model.items();
  for (int i = 0; i < int(items.size()); ++i) {
    auto* b = new QRadioButton(to_qstring(items[std::size_t(i)]), this);
    connect(b, &QRadioButton::clicked, this, [this, i] {
      m_context.run(&m_model, [&] { m_model.set_item_index(i); });
      refresh();
    });
    b->show();
    m_buttons.push_back(b);
  }
}

void RadioGroupWidget::refresh() {
  setTitle(to_qstring(m_model.caption()));
  const auto& items = m_model.items();
  bool same = m_buttons.size() == items.size();
  for (std::size_t i = 0; same && i < items.size(); ++i) same = m_buttons[i]->text() == to_qstring(items[i]);
  if (!same) rebuild_buttons();
  // The model decides which item is selected (possibly none); exclusivity
  // stays on otherwise so that the arrow keys move through the items.
  for (int i = 0; i < int(m_buttons.size()); ++i) {
    QRadioButton* b = m_buttons[std::size_t(i)];
    b->setAutoExclusive(false);
    b->setChecked(i == m_model.item_index());
  }
  for (QRadioButton* b : m_buttons) b->setAutoExclusive(true);
  const int focus = m_model.item_index() >= 0 ? m_model.item_index() : 0;
  setFocusProxy(m_buttons.empty() ? nullptr : m_buttons[std::size_t(focus)]);
  apply_common(*this, m_model);
  for (QRadioButton* b : m_buttons) b->setPalette(palette());
  // The caption and the items are fitted each on its own: a long caption
  // does not make the items smaller.
  apply_fitted_font(*this, m_model, [this] { return title_fits(); });
  QFont item_font = sans_font(m_model.font());
  for (;;) {
    for (QRadioButton* b : m_buttons) b->setFont(item_font);
    arrange_buttons();
    if (items_fit() || item_font.pixelSize() <= kSmallestFontPx) break;
    item_font.setPixelSize(item_font.pixelSize() - 1);
  }
}

bool RadioGroupWidget::title_fits() const {
  if (title().isEmpty()) return true;
  QStyleOptionGroupBox option;
  initStyleOption(&option);
  const QRect label = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
  return label.right() < width() - 1;
}

bool RadioGroupWidget::items_fit() const {
  for (const QRadioButton* b : m_buttons)
    if (b->sizeHint().width() > b->width() || b->fontMetrics().height() > b->height()) return false;
  return true;
}

void RadioGroupWidget::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  arrange_buttons();
}

void RadioGroupWidget::arrange_buttons() {
  // One column: the height under the caption line shared evenly.
  const int n = int(m_buttons.size());
  if (n == 0) return;
  const int text_height = QFontMetrics(font()).height();  // the caption's line
  const int room = std::max(0, height() - text_height - 5);
  const int row = std::max(1, room / n);
  const int top = text_height + 1 + (room % n) / 2;
  for (int i = 0; i < n; ++i) m_buttons[std::size_t(i)]->setGeometry(4, top + i * row, std::max(0, width() - 6), row);
}

}  // namespace korvel::qt
