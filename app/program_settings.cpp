// The settings file beside the program, shared by the window and the command line.
#include <string>

#include "app/files.h"
#include "app/program_dir.h"
#include "app/settings.h"
#include "text/codepage.h"

namespace trakvel {

ProgramSettings load_program_settings() {
  ProgramSettings loaded;
  loaded.file_path = program_directory() + "/trakvel.ini";
  if (const auto content = read_whole_file(loaded.file_path)) {
    loaded.problems = apply_settings_file(loaded.settings, text_from_bytes(*content));
  }
  apply_settings_environment(loaded.settings);
  return loaded;
}

Text settings_problems_message(const ProgramSettings& loaded) {
  Text message = loaded.file_path + utf8_to_ansi(" 中以下各行无法使用，已按默认值处理：");
  for (const auto& problem : loaded.problems) {
    message += "\r\n" + utf8_to_ansi("第 " + std::to_string(problem.line) + " 行：") + problem.text;
  }
  return message;
}

}  // namespace trakvel
