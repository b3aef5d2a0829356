#include "platform/controls.h"

#include <algorithm>

#include "platform/text.h"

namespace korvel {

void Control::changed() const {
  if (observer) observer();
}

void Control::set_bounds(int left, int top, int width, int height) {
  if (m_left == left && m_top == top && m_width == width && m_height == height) return;
  m_left = left;
  m_top = top;
  m_width = width;
  m_height = height;
  changed();
  if (on_layout) on_layout();
}

void Control::set_color(TColor c) {
  if (m_color == c) return;
  m_color = c;
  changed();
  for (Control* child : m_children)
    if (child->parent_color()) {
      child->m_color = c;
      child->changed();
    }
}

void Control::add_child(Control& child) {
  child.m_parent = this;
  m_children.push_back(&child);
}

void Control::SetFocus() {
  if (on_focus_request) on_focus_request(*this);
}

void Edit::set_text(const std::string& t) {
  if (m_text == t) return;
  m_text = t;
  changed();
  if (OnChange) OnChange();
}

void Edit::set_read_only(bool v) {
  if (m_read_only == v) return;
  m_read_only = v;
  changed();
}

void UpDown::set_range(int min, int max) {
  m_min = min;
  m_max = std::max(min, max);
  m_position = std::clamp(m_position, m_min, m_max);
  changed();
}

void UpDown::set_position(int p) {
  p = std::clamp(p, m_min, m_max);
  if (m_position != p) {
    m_position = p;
    changed();
  }
  if (m_associate) m_associate->set_text(IntToStr(p));
}

void UpDown::step(int delta) {
  // The edit's number is the true position: code may have written the text.
  int current = m_position;
  if (m_associate) {
    if (auto shown = try_str_to_int(m_associate->text())) current = std::clamp(*shown, m_min, m_max);
  }
  const int next = std::clamp(current + delta, m_min, m_max);
  if (next == current && m_associate && m_associate->text() == IntToStr(current)) return;
  bool allow = true;
  if (OnChanging) OnChanging(allow);
  if (!allow) return;
  set_position(next);
}

void RadioGroup::set_items(std::vector<std::string> items) {
  m_items = std::move(items);
  m_item_index = std::min(m_item_index, int(m_items.size()) - 1);
  changed();
}

void RadioGroup::set_item_index(int i) {
  i = std::clamp(i, -1, int(m_items.size()) - 1);
  if (i == m_item_index) return;
  m_item_index = i;
  changed();
  if (i >= 0 && OnClick) OnClick();
}

void CheckBox::set_checked(bool v) {
  if (m_checked == v) return;
  m_checked = v;
  changed();
  if (OnClick) OnClick();
}

void ComboBox::set_items(std::vector<std::string> items) {
  m_items = std::move(items);
  m_item_index = std::min(m_item_index, int(m_items.size()) - 1);
  changed();
}

void ComboBox::set_item_index(int i) {
  i = std::clamp(i, -1, int(m_items.size()) - 1);
  if (i == m_item_index) return;
  m_item_index = i;
  changed();
}

void ComboBox::select(int i) {
  set_item_index(i);
  if (OnClick) OnClick();
}

void Memo::set_lines(std::vector<std::string> lines) {
  m_lines = std::move(lines);
  changed();
}

void Timer::set_interval(int ms) {
  if (m_interval == ms) return;
  m_interval = ms;
  ++m_restarts;
  if (observer) observer();
}

void Timer::set_enabled(bool v) {
  if (m_enabled == v) return;
  m_enabled = v;
  ++m_restarts;
  if (observer) observer();
}

}  // namespace korvel
