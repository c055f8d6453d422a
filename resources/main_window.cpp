// The main window as data. Texts are written here in UTF-8 and converted to code
// page 936 when the description is first asked for.
#include "resources/main_window.h"

#include "text/codepage.h"

namespace trakvel {
namespace {

using namespace gui;

constexpr Font kStandardFont{"幼圆", -16};
constexpr Font kListFont{"幼圆", -14};
constexpr Font kSystemFont{};

constexpr unsigned kEditBox = kSunken | kFocusStop;

WindowDescription describe() {
  WindowDescription d;
  d.title = "Trakvel1.0   Moxari论坛专版";
  d.outer_size = {1075, 450};
  d.stored_place = {50, 50};

  // Creation order, which is also the order of keyboard focus.
  const Role W = Role::main_window, G = Role::number_group;
  // clang-format off
  d.controls = {
      // role               name           kind              parent place       size         text                    font           style                                                   visible
      {Role::open_dialog,   "通用对话框1", Kind::file_dialog, W, {},          {},          "",                     kSystemFont,   0,                                                      false},
      {Role::save_dialog,   "通用对话框3", Kind::file_dialog, W, {},          {},          "",                     kSystemFont,   0,                                                      false},
      {Role::popup_menu,    "菜单2",       Kind::menu,        W, {},          {},          "菜单2",                kSystemFont,   0,                                                      false},
      {Role::balloon_tip,   "气球提示框1", Kind::balloon_tip, W, {},          {},          "",                     kSystemFont,   0,                                                      false},
      {Role::trace_box,     "编辑框5",     Kind::text_box,    W, {288, 80},   {96, 88},    "",                     kSystemFont,   kMultiLine | kEditBox,                                  false},
      {Role::number_group,  "分组框1",     Kind::group_box,   W, {4, 1},      {224, 416},  "单号列表（一行一个）", kStandardFont, 0,                                                      true},
      {Role::query_button,  "按钮4",       Kind::button,      G, {160, 25},   {60, 29},    "查询",                 kStandardFont, kCentered | kFocusStop,                                 true},
      {Role::delay_label,   "透明标签4",   Kind::label,       G, {6, 27},     {86, 24},    "延时(毫秒):",          kStandardFont, kTransparent | kVCenter,                                true},
      {Role::delay_box,     "编辑框3",     Kind::text_box,    G, {99, 28},    {55, 24},    "300",                  kStandardFont, kAutoHScroll | kEditBox,                                true},
      {Role::number_box,    "编辑框4",     Kind::text_box,    G, {8, 64},     {207, 343},  "",                     kStandardFont, kMultiLine | kEditBox,                                  true},
      {Role::result_list,   "超级列表框2", Kind::list_view,   W, {232, 12},   {833, 405},  "",                     kListFont,     kGridLines | kFullRowSelect | kInfoTip | kSunken | kFocusStop, true},
  };

  d.columns = {
      {"序号", 0},
      {"查询时间", 150},
      {"快递单号", 150},
      {"快递公司", 80},
      {"最后更新（双击查询详细物流信息）", 340},
      {"最后状态", 80},
  };
  // clang-format on

  d.menu_title = "菜单2";
  d.menu = {
      {Role::import_command, "导入查询"},
      {Role::copy_row_command, "复制整行"},
      {Role::save_all_command, "保存全部"},
  };

  d.wiring = {
      {W, Event::created, "prepare_main_window"},
      {W, Event::destroying, ""},
      {Role::query_button, Event::clicked, "on_query_clicked"},
      {Role::import_command, Event::selected, "on_import_query_selected"},
      {Role::copy_row_command, Event::selected, "on_copy_row_selected"},
      {Role::save_all_command, Event::selected, "on_save_all_selected"},
      {Role::result_list, Event::list_clicked, "on_list_clicked"},
      {Role::result_list, Event::list_right_clicked, "on_list_right_clicked"},
      {Role::result_list, Event::list_double_clicked, "on_list_double_clicked"},
  };
  return d;
}

// Every text of the description, including font faces, into code page 936.
WindowDescription in_gbk(WindowDescription d) {
  d.title = utf8_to_ansi(d.title);
  for (auto& c : d.controls) {
    c.text = utf8_to_ansi(c.text);
    c.font.face = utf8_to_ansi(c.font.face);
  }
  for (auto& column : d.columns) column.title = utf8_to_ansi(column.title);
  d.menu_title = utf8_to_ansi(d.menu_title);
  for (auto& command : d.menu) command.text = utf8_to_ansi(command.text);
  return d;
}

}  // namespace

const gui::WindowDescription& main_window_description() {
  static const gui::WindowDescription description = in_gbk(describe());
  return description;
}

}  // namespace trakvel
