// A window described as data: its settings, its controls in creation order, the
// list's columns, the popup menu's commands and which event runs which handler.
// Both backends build the same window from one description.
#pragma once

#include <string>
#include <vector>

#include "text/text.h"

namespace trakvel::gui {

// Controls are addressed by role; the control names of the description stay beside them.
enum class Role {
  main_window,
  open_dialog,
  save_dialog,
  popup_menu,
  balloon_tip,
  trace_box,
  number_group,
  query_button,
  delay_label,
  delay_box,
  number_box,
  result_list,
  import_command,
  copy_row_command,
  save_all_command,
};

enum class Kind { file_dialog, menu, balloon_tip, text_box, group_box, button, label, list_view };

// Style flags, mapped to the system's styles by each backend.
enum Style : unsigned {
  kMultiLine = 1u << 0,      // auto vertical scroll, Enter inserts a line break, long lines wrap
  kAutoHScroll = 1u << 1,    // single line scrolling sideways
  kSunken = 1u << 2,         // sunken client edge
  kTransparent = 1u << 3,    // label drawn over its parent's background
  kVCenter = 1u << 4,        // text vertically centred
  kFocusStop = 1u << 5,      // takes keyboard focus in creation order
  kGridLines = 1u << 6,      // list view
  kFullRowSelect = 1u << 7,  // list view
  kInfoTip = 1u << 8,        // list view
  kCentered = 1u << 9,       // button caption centred both ways and may wrap
};

struct Font {
  std::string face;  // empty: the system's default GUI font
  int height = 0;
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

struct Control {
  Role role;
  std::string name;  // the control name, UTF-8 as in the sources: never shown
  Kind kind;
  Role parent;
  Point place;  // relative to the parent's client area
  Size size;
  Text text;
  Font font;
  unsigned style = 0;
  bool visible = true;
};

struct Column {
  Text title;
  int width = 0;
};

struct MenuCommand {
  Role role;
  Text text;
};

enum class Event {
  created,
  destroying,
  clicked,
  selected,
  list_clicked,
  list_right_clicked,
  list_double_clicked
};

struct Wiring {
  Role control;
  Event event;
  std::string handler;  // empty: nothing is done
};

struct WindowDescription {
  Text title;
  Size outer_size;
  Point stored_place;  // not used: the window is centred when created
  std::vector<Control> controls;
  std::vector<Column> columns;
  Text menu_title;
  std::vector<MenuCommand> menu;
  std::vector<Wiring> wiring;

  const Control* control(Role role) const;
  // The handler name wired to an event, empty when none.
  std::string handler_for(Role control, Event event) const;
};

}  // namespace trakvel::gui
