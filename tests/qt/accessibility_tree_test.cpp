// The tree a screen reader walks: the number fields step themselves, and
// their up-down arrows are not stops of their own.
#include <QAccessible>
#include <QAccessibleValueInterface>

#include "gui_support.h"
#include "qt/updown_widget.h"

namespace korvel::qt::testing {
namespace {

void walk(QAccessibleInterface* node, std::vector<QAccessibleInterface*>& all) {
  if (!node) return;
  all.push_back(node);
  for (int i = 0; i < node->childCount(); ++i) {
    QAccessibleInterface* child = node->child(i);
    EXPECT_EQ(node->indexOfChild(child), i);
    walk(child, all);
  }
}

TEST(AccessibilityTree, NumberFieldsStepThemselvesAndTheirArrowsAreNoStops) {
  StartedWindow w;
  std::vector<QAccessibleInterface*> all;
  walk(QAccessible::queryAccessibleInterface(w.view.get()), all);
  ASSERT_GT(all.size(), 50u);
  std::vector<QAccessibleInterface*> fields;
  for (QAccessibleInterface* node : all) {
    QObject* object = node->object();
    EXPECT_FALSE(qobject_cast<UpDownWidget*>(object) || (object && qobject_cast<UpDownWidget*>(object->parent())))
        << node->text(QAccessible::Name).toStdString();
    if (node->role() == QAccessible::SpinBox) fields.push_back(node);
  }
  ASSERT_EQ(fields.size(), 6u);  // one for each pair of arrows
  for (QAccessibleInterface* field : fields) {
    EXPECT_FALSE(field->text(QAccessible::Name).isEmpty());
    const QStringList actions = field->actionInterface()->actionNames();
    EXPECT_TRUE(actions.contains(QAccessibleActionInterface::increaseAction()));
    EXPECT_TRUE(actions.contains(QAccessibleActionInterface::decreaseAction()));
  }
  // What the arrows did, the field does: one step up, one down.
  QAccessibleInterface* field = fields.front();
  const int before = field->valueInterface()->currentValue().toInt();
  field->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
  EXPECT_EQ(field->valueInterface()->currentValue().toInt(), before + 1);
  field->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
  EXPECT_EQ(field->valueInterface()->currentValue().toInt(), before);
}

}  // namespace
}  // namespace korvel::qt::testing
