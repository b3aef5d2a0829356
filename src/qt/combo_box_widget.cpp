#include "qt/combo_box_widget.h"

#include <QAbstractItemView>
#include <QScreen>
#include <QStyledItemDelegate>
#include <algorithm>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "qt/control_style.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

ComboBoxWidget::ComboBoxWidget(ComboBox& model, ViewContext& context, QWidget* parent)
    : QComboBox(parent), m_model(model), m_context(context) {
  bind_model(*this, model);
  setEditable(false);
  setAttribute(Qt::WA_NoMousePropagation);
  connect(this, &QComboBox::activated, this, [this](int row) {
    m_context.run(&m_model, [&] { m_model.select(row); });
    refresh();
  });
  observe(*this, model, [this] { refresh(); });
  refresh();
}

void ComboBoxWidget::refresh() {
  const auto& items = m_model.items();
  bool same = count() == int(items.size());
  for (int i = 0; same && i < count(); ++i) same = itemText(i) == to_qstring(items[std::size_t(i)]);
  if (!same) {
    const QSignalBlocker block(this);
    clear();
    for (const std::string& item : items) addItem(to_qstring(item));
  }
  if (currentIndex() != m_model.item_index()) {
    const QSignalBlocker block(this);
    setCurrentIndex(m_model.item_index());
  }
  setMaxVisibleItems(m_model.drop_down_count);
  apply_bounds(*this, m_model);
  apply_hint(*this, m_model);
  apply_font(*this, m_model);
  apply_background(*this, m_model, QPalette::Base);
  // The rows line their columns up with spaces: a fixed-pitch face, small
  // enough for the selected row to show whole in the box. The list's own
  // font is fitted when it opens.
  fit_font(*this, fixed_pitch_font(m_model.font()), [this] { return selected_row_fits(); });
}

void ComboBoxWidget::fit_list_font() {
  // Every row whole in the list, which is as wide as the box.
  QFont list_font = fixed_pitch_font(m_model.font());
  const int row_room = width() - 2 * view()->frameWidth() - 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) - 2;
  while (widest_row(list_font) > row_room && list_font.pixelSize() > kSmallestFontPx)
    list_font.setPixelSize(list_font.pixelSize() - 1);
  view()->setFont(list_font);
  for (int i = 0; i < count(); ++i)
    if (itemData(i, Qt::FontRole) != QVariant(list_font)) setItemData(i, list_font, Qt::FontRole);
}

bool ComboBoxWidget::selected_row_fits() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  const QFontMetrics metrics = fontMetrics();
  return metrics.horizontalAdvance(currentText()) <= field.width() - 2 && metrics.height() <= field.height();
}

int ComboBoxWidget::widest_row(const QFont& font) const {
  const QFontMetrics metrics(font);
  int widest = 0;
  for (int i = 0; i < count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
  return widest;
}

void ComboBoxWidget::showPopup() {
  // Rows drawn as list items, in their own font: the style's menu-like rows
  // would take the box's font and cut the long rows in the middle. Set at
  // the first opening: the list is made then, not at start.
  if (!m_rows_as_items) {
    setItemDelegate(new QStyledItemDelegate(this));
    m_rows_as_items = true;
  }
  fit_list_font();
  QComboBox::showPopup();
  // The list opens exactly under (or over) the box, as wide as the box,
  // where the style would centre it on the selected row or widen it.
  QWidget* popup = view()->window();
  const QPoint origin = mapToGlobal(QPoint(0, 0));
  const QRect screen = this->screen()->geometry();
  QRect g = popup->geometry();
  const bool room_below = origin.y() + height() + g.height() <= screen.bottom() + 1;
  g.moveTop(room_below ? origin.y() + height() : origin.y() - g.height());
  g.setLeft(origin.x());
  g.setWidth(width());
  popup->setGeometry(g);
}

}  // namespace korvel::qt
