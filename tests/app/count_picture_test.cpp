// The count on the new-mail picture of the tray: what it says, and its pixels at the size the
// notification area takes at each DPI, compared with the drawings kept in
// tests/fixtures/count-pictures.txt; and the icon images the pictures are read from.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app_bed.h"
#include "ui/count_badge.h"
#include "ui/icon_image.h"

namespace vantrel::testing {
namespace {

struct Drawing {
  int size = 0;
  int count = 0;
  std::string rows;  // one line per row of pixels
};

std::vector<Drawing> keptDrawings() {
  std::ifstream in(VANTREL_SOURCE_DIR "/tests/fixtures/count-pictures.txt");
  std::vector<Drawing> drawings;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] >= '0' && line[0] <= '9') {
      Drawing drawing;
      std::istringstream(line) >> drawing.size >> drawing.count;
      drawings.push_back(drawing);
    } else if (!drawings.empty()) {
      drawings.back().rows += line + "\n";
    }
  }
  return drawings;
}

// The drawn picture as the drawings show it: "." where the new-mail picture is unchanged, "o" the
// badge's outline, "r" its fill, "W" a digit, "?" anything else.
std::string asDrawing(const platform::IconPixels& picture, const platform::IconPixels& drawn) {
  std::string rows;
  for (int y = 0; y < drawn.size; ++y) {
    for (int x = 0; x < drawn.size; ++x) {
      const auto pixel = drawn.at(x, y);
      rows += pixel == picture.at(x, y)    ? '.'
              : pixel == ui::kBadgeOutline ? 'o'
              : pixel == ui::kBadgeFill    ? 'r'
              : pixel == ui::kBadgeDigit   ? 'W'
                                           : '?';
    }
    rows += "\n";
  }
  return rows;
}

TEST(CountPicture, TheBadgeSaysTheCountUpTo99ThenNinetyNinePlus) {
  for (const auto& [count, text] : std::vector<std::pair<std::int32_t, std::string>>{
           {1, "1"}, {9, "9"}, {42, "42"}, {99, "99"}, {100, "99+"}, {2147483647, "99+"}}) {
    EXPECT_EQ(ui::countBadgeText(count), text) << count;
  }
  const auto picture = resourcePicture("mail_newmail.ico", 16);
  for (const std::int32_t none : {0, -4}) {
    EXPECT_EQ(ui::countBadgeText(none), "");
    EXPECT_EQ(ui::drawCountBadge(picture, none), picture);
  }
}

TEST(CountPicture, AtEachDpiThePixelsAreTheKeptDrawings) {
  const auto drawings = keptDrawings();
  // 96, 120, 144 and 192 DPI; one digit, two, and more than fit.
  for (const int size : {16, 20, 24, 32}) {
    for (const int count : {7, 42, 100}) {
      const auto kept = std::find_if(drawings.begin(), drawings.end(), [&](const auto& d) {
        return d.size == size && d.count == count;
      });
      const auto picture = resourcePicture("mail_newmail.ico", size);
      ASSERT_EQ(picture.size, size) << "mail_newmail.ico lacks " << size << " px";
      const auto drawn = asDrawing(picture, ui::drawCountBadge(picture, count));
      if (kept == drawings.end()) {
        ADD_FAILURE() << "no drawing of " << count << " at " << size << " px; drawn:\n" << drawn;
        continue;
      }
      EXPECT_EQ(drawn, kept->rows) << count << " at " << size << " px";
    }
  }
}

TEST(CountPicture, IconImagesAreReadRowsFromTheTopAndOnlyWhenWhole) {
  // The envelope runs from the third row to the thirteenth, its left edge in its ink colour.
  const auto picture = resourcePicture("mail_newmail.ico", 16);
  ASSERT_EQ(picture.size, 16);
  EXPECT_EQ(picture.at(0, 0), 0u);
  EXPECT_EQ(picture.at(0, 6), 0xFF344870u);
  EXPECT_EQ(picture.at(0, 13), 0u);

  // A 2 x 2 image from before alpha: the mask alone says what shows through.
  std::vector<std::uint8_t> image(40 + 2 * 2 * 4 + 2 * 4, 0);
  const auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) image[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  put(0, 40, 4);
  put(4, 2, 4);
  put(8, 4, 4);
  put(12, 1, 2);
  put(14, 32, 2);
  put(40, 0x0000FF, 4);  // bottom left, blue
  put(44, 0x00FF00, 4);  // bottom right, green
  put(48, 0xFF0000, 4);  // top left, red
  put(52, 0xFFFFFF, 4);  // top right, white
  image[56 + 4] = 0x40;  // the mask's top row: its right pixel shows through
  const auto decoded = ui::decodeIconImage(image);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->argb, (std::vector<std::uint32_t>{0xFFFF0000, 0, 0xFF0000FF, 0xFF00FF00}));

  // What is not a whole square 32-bit image gives nothing.
  const auto broken = [&](std::size_t at, std::uint32_t value, int bytes) {
    auto copy = image;
    for (int i = 0; i < bytes; ++i) copy[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return copy;
  };
  for (const auto& bad :
       {broken(8, 2, 4), broken(14, 8, 2), broken(16, 1, 4), broken(0, 9999, 4), broken(4, 0, 4),
        std::vector<std::uint8_t>(image.begin(), image.end() - 1),
        std::vector<std::uint8_t>(image.begin(), image.begin() + 39)}) {
    EXPECT_FALSE(ui::decodeIconImage(bad));
  }
}

TEST(CountPicture, AnotherSizeTakesEachPixelFromTheNearest) {
  const platform::IconPixels two{2, {1, 2, 3, 4}};
  EXPECT_EQ(ui::resizedPicture(two, 4).argb,
            (std::vector<std::uint32_t>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}));
  EXPECT_EQ(ui::resizedPicture(ui::resizedPicture(two, 4), 2), two);
}

}  // namespace
}  // namespace vantrel::testing
