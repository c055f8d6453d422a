#include "skin/skin_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace trakvel::skin {
namespace {

std::string carried_skin() {
  std::ifstream file(TRAKVEL_SKIN_FILE, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(SkinFile, CarriedSkinIsComplete) {
  const auto skin = parse_skin(carried_skin());
  ASSERT_TRUE(skin);
  EXPECT_EQ(skin->button_text, 0xFFFFFFu);
  EXPECT_EQ(skin->edit_background, 0xFFFFFFu);
  EXPECT_EQ(skin->header_font_height, -13);
}

TEST(SkinFile, ReadsSectionsKeysAndComments) {
  std::string text = carried_skin();
  text = "; comment\r\n\r\n" + text;
  const size_t at = text.find("text = #FFFFFF");
  text.replace(at, 14, "  text=#00ff80 ");
  const auto skin = parse_skin(text);
  ASSERT_TRUE(skin);
  EXPECT_EQ(skin->button_text, 0x00FF80u);
}

// A malformed file leaves the windows as they are: no skin at all, not half of one.
TEST(SkinFile, RefusesMalformedFiles) {
  const std::string good = carried_skin();
  auto with = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::string cases[] = {
      "",
      with("format = 1", "format = 2"),
      with("face = #3D7CC9", "face = blue"),
      with("face = #3D7CC9", "face = #3D7CC"),
      with("face = #3D7CC9", "; no face"),
      with("font_height = -13", "font_height = big"),
      with("[button]", "button"),
  };
  for (const auto& text : cases) EXPECT_FALSE(parse_skin(text)) << text;
}

}  // namespace
}  // namespace trakvel::skin
