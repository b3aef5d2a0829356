#pragma once
// Models of the window's controls: the state and event semantics the
// behaviour relies on, without any toolkit. Each model has one observer slot
// through which the view refreshes its widget.
//
// Cascades: selecting a radio-group item or checking a box from code runs its
// click handler at once, nested inside the assignment, when the value changes;
// selecting a combo-box row from code runs nothing; a timer whose interval is
// written with the value it already has is not restarted.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/colour.h"
#include "platform/input.h"

namespace korvel {

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum class ControlKind : std::uint8_t {
  Panel, Label, Edit, UpDown, RadioGroup, CheckBox, ComboBox, Memo, SpeedButton, ScrollBox, Image
};

struct TFont {
  int size_px = 11;
  TColor color = clBlack;
  bool bold = false;
  friend bool operator==(const TFont&, const TFont&) = default;
};

class Control {
 public:
  Control(ControlKind kind, std::string name) : m_kind(kind), m_name(std::move(name)) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  ControlKind kind() const { return m_kind; }
  const std::string& name() const { return m_name; }

  int left() const { return m_left; }
  int top() const { return m_top; }
  int width() const { return m_width; }
  int height() const { return m_height; }
  void set_left(int v) { update_layout(m_left, v); }
  void set_top(int v) { update_layout(m_top, v); }
  void set_width(int v) { update_layout(m_width, v); }
  void set_height(int v) { update_layout(m_height, v); }
  void set_bounds(int left, int top, int width, int height);

  bool visible() const { return m_visible; }
  void set_visible(bool v) { update_layout(m_visible, v); }
  TAlign align() const { return m_align; }
  void set_align(TAlign a) { update_layout(m_align, a); }

  TColor color() const { return m_color; }
  void set_color(TColor c);
  // Controls that take their parent's colour follow it when it changes.
  bool parent_color() const { return m_parent_color; }
  void set_parent_color(bool v) { m_parent_color = v; }
  const TFont& font() const { return m_font; }
  void set_font(const TFont& f) { update(m_font, f); }

  const std::string& caption() const { return m_caption; }
  void set_caption(const std::string& c) { update(m_caption, c); }
  const std::string& hint() const { return m_hint; }
  void set_hint(const std::string& h) { update(m_hint, h); }
  bool show_hint() const { return m_show_hint; }
  void set_show_hint(bool v) { update(m_show_hint, v); }
  // What a screen reader calls the control when no caption of its own says
  // it: an edit by the label beside it, the picture. Empty: the caption, or
  // failing that the hint.
  const std::string& accessible_name() const { return m_accessible_name; }
  void set_accessible_name(std::string name) { m_accessible_name = std::move(name); }

  Control* parent() const { return m_parent; }
  const std::vector<Control*>& children() const { return m_children; }
  void add_child(Control& child);

  // Asks for the keyboard focus; the owner decides what that means.
  void SetFocus();
  std::function<void(Control&)> on_focus_request;
  // Runs when the keyboard focus enters the control from another one.
  std::function<void()> OnEnter;

  // The view's slot: called after any property of the model changed.
  std::function<void()> observer;
  // The owner's slot: called after the position, size, visibility or
  // alignment changed, so that aligned siblings can be laid out again.
  std::function<void()> on_layout;

 protected:
  void changed() const;
  template <class T>
  void update(T& member, const T& value) {
    if (member == value) return;
    member = value;
    changed();
  }
  template <class T>
  void update_layout(T& member, const T& value) {
    if (member == value) return;
    member = value;
    changed();
    if (on_layout) on_layout();
  }

 private:
  ControlKind m_kind;
  std::string m_name;
  int m_left = 0, m_top = 0, m_width = 0, m_height = 0;
  bool m_visible = true;
  TAlign m_align = alNone;
  TColor m_color = clSilver;
  bool m_parent_color = false;
  TFont m_font;
  std::string m_caption;
  std::string m_hint;
  bool m_show_hint = false;
  std::string m_accessible_name;
  Control* m_parent = nullptr;
  std::vector<Control*> m_children;
};

// A panel used as a button, a swatch or a container.
class Panel : public Control, public MouseEvents {
 public:
  explicit Panel(std::string name) : Control(ControlKind::Panel, std::move(name)) {}
  // The user may drag the panel away with the mouse (automatic drag).
  bool drag_automatic = false;
  std::function<void()> OnClick;
  // A user's click, from the view or a test.
  void click() { if (OnClick) OnClick(); }
};

class Label : public Control {
 public:
  explicit Label(std::string name) : Control(ControlKind::Label, std::move(name)) {}
};

class SpeedButton : public Control {
 public:
  explicit SpeedButton(std::string name) : Control(ControlKind::SpeedButton, std::move(name)) {}
  std::function<void()> OnClick;
  void click() { if (OnClick) OnClick(); }
};

class Edit : public Control {
 public:
  explicit Edit(std::string name) : Control(ControlKind::Edit, std::move(name)) {}
  const std::string& text() const { return m_text; }
  // Runs OnChange when the text differs from the one held.
  void set_text(const std::string& t);
  bool read_only() const { return m_read_only; }
  void set_read_only(bool v);

  std::function<void()> OnChange;
  std::function<void(char32_t&)> OnKeyPress;
  std::function<void(std::uint16_t&, TShiftState)> OnKeyDown;

 private:
  std::string m_text;
  bool m_read_only = false;
};

// Up-down buttons tied to an edit, without wrapping.
class UpDown : public Control {
 public:
  explicit UpDown(std::string name) : Control(ControlKind::UpDown, std::move(name)) {}
  int min() const { return m_min; }
  int max() const { return m_max; }
  int position() const { return m_position; }
  void set_range(int min, int max);
  // Clamped to the range; the associated edit shows the new position.
  void set_position(int p);
  Edit* associate() const { return m_associate; }
  void set_associate(Edit* e) { m_associate = e; }

  // A user's click on the upper or lower arrow: the step starts from the
  // number the associated edit shows, asks OnChanging, then moves.
  void click_up() { step(+1); }
  void click_down() { step(-1); }
  std::function<void(bool& allow_change)> OnChanging;

 private:
  void step(int delta);
  int m_min = 0, m_max = 100, m_position = 0;
  Edit* m_associate = nullptr;
};

class RadioGroup : public Control {
 public:
  explicit RadioGroup(std::string name) : Control(ControlKind::RadioGroup, std::move(name)) {}
  const std::vector<std::string>& items() const { return m_items; }
  void set_items(std::vector<std::string> items);
  int item_index() const { return m_item_index; }
  // Clamped to -1 .. count - 1. A change to an item runs OnClick at once;
  // -1 only clears the selection.
  void set_item_index(int i);
  // The item index as a named choice of the group (app/choices.h).
  template <class Choice>
  Choice choice() const { return static_cast<Choice>(m_item_index); }
  template <class Choice>
  void set_choice(Choice c) { set_item_index(static_cast<int>(c)); }

  std::function<void()> OnClick;

 private:
  std::vector<std::string> m_items;
  int m_item_index = -1;
};

class CheckBox : public Control {
 public:
  explicit CheckBox(std::string name) : Control(ControlKind::CheckBox, std::move(name)) {}
  bool checked() const { return m_checked; }
  // A change runs OnClick at once.
  void set_checked(bool v);
  // A user's click toggles.
  void click() { set_checked(!m_checked); }
  std::function<void()> OnClick;

 private:
  bool m_checked = false;
};

class ComboBox : public Control {
 public:
  explicit ComboBox(std::string name) : Control(ControlKind::ComboBox, std::move(name)) {}
  const std::vector<std::string>& items() const { return m_items; }
  void set_items(std::vector<std::string> items);
  int item_index() const { return m_item_index; }
  // From code: runs nothing. Clamped to -1 .. count - 1.
  void set_item_index(int i);
  // The user picked a row in the list.
  void select(int i);
  int drop_down_count = 8;
  std::function<void()> OnClick;

 private:
  std::vector<std::string> m_items;
  int m_item_index = -1;
};

class Memo : public Control {
 public:
  explicit Memo(std::string name) : Control(ControlKind::Memo, std::move(name)) {}
  const std::vector<std::string>& lines() const { return m_lines; }
  void set_lines(std::vector<std::string> lines);

 private:
  std::vector<std::string> m_lines;
};

// Ticks come from the view (a real timer) or from tests, through tick().
class Timer {
 public:
  explicit Timer(std::string name) : m_name(std::move(name)) {}
  const std::string& name() const { return m_name; }
  int interval() const { return m_interval; }
  // Writing the interval it already has does not restart the timer.
  void set_interval(int ms);
  bool enabled() const { return m_enabled; }
  void set_enabled(bool v);
  // Counts the restarts, so the view knows when to restart its own timer.
  unsigned restarts() const { return m_restarts; }

  void tick() { if (m_enabled && OnTimer) OnTimer(); }
  std::function<void()> OnTimer;
  std::function<void()> observer;

 private:
  std::string m_name;
  int m_interval = 1000;
  bool m_enabled = true;
  unsigned m_restarts = 0;
};

}  // namespace korvel
