#pragma once
// A radio group: a framed box with its caption and one radio button per
// item, spread evenly down the box. A user's click selects the item in the
// model, which runs the group's click handler when the item changes.
#include <QGroupBox>
#include <QRadioButton>
#include <vector>

#include "platform/controls.h"
#include "qt/view_context.h"

namespace korvel::qt {

class RadioGroupWidget : public QGroupBox {
  Q_OBJECT
 public:
  RadioGroupWidget(RadioGroup& model, ViewContext& context, QWidget* parent);
  void refresh();
  const std::vector<QRadioButton*>& buttons() const { return m_buttons; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void rebuild_buttons();
  void arrange_buttons();
  // Whether the caption, and every item, show whole in their current fonts.
  bool title_fits() const;
  bool items_fit() const;

  RadioGroup& m_model;
  ViewContext& m_context;
  std::vector<QRadioButton*> m_buttons;
};

}  // namespace korvel::qt
