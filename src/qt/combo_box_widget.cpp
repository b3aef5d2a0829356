#include "qt/combo_box_widget.h"

#include <QAbstractItemView>

#include "qt/control_style.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

ComboBoxWidget::ComboBoxWidget(ComboBox& model, ViewContext& context, QWidget* parent)
    : QComboBox(parent), m_model(model), m_context(context) {
  bind_model(*this, model);
  setEditable(false);
  setAttribute(Qt::WA_NoMousePropagation);
  connect(this, &QComboBox::activated, this, [this](int row) {
    m_context.run([&] { m_model.select(row); });
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
  view()->setFont(font());
}

}  // namespace korvel::qt
