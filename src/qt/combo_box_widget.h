#pragma once
// A drop-down list without free text. A row the user picks is selected in
// the model as the user's choice (which runs its click handler).
#include <QComboBox>

#include "platform/controls.h"
#include "qt/view_context.h"

namespace korvel::qt {

class ComboBoxWidget : public QComboBox {
  Q_OBJECT
 public:
  ComboBoxWidget(ComboBox& model, ViewContext& context, QWidget* parent);
  void refresh();
  void showPopup() override;

 private:
  // Whether the selected row shows whole in the box's edit field.
  bool selected_row_fits() const;
  // The list's font: small enough for every row to show whole.
  void fit_list_font();
  // The advance of the longest row in `font`.
  int widest_row(const QFont& font) const;

  ComboBox& m_model;
  ViewContext& m_context;
  bool m_rows_as_items = false;
};

}  // namespace korvel::qt
