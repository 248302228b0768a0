#include "output/e13b.h"

#include <vector>

namespace zenkar {
namespace {

// A rectangle of a character in squares: left, bottom, right, top, with the
// character's foot at 0 and its left edge at 0.
struct Block {
  double left;
  double bottom;
  double right;
  double top;
};

struct Character {
  char c;
  double width;
  std::vector<Block> blocks;
};

// Strokes are 1.4 squares; the feet of 1, 2, 3, 7 and 8 are
// heavier, as the standard makes them to give each character its own
// magnetic signal.
const std::vector<Character>& Characters() {
  static const std::vector<Character> kCharacters = {
      {'0', 6, {{0, 0, 1.4, 9}, {4.6, 0, 6, 9}, {0, 7.6, 6, 9}, {0, 0, 6, 1.4}}},
      {'1', 4, {{2.0, 0, 3.4, 9}, {0.6, 7.6, 3.4, 9}, {0, 0, 4, 2.8}}},
      {'2',
       5,
       {{0, 7.6, 5, 9}, {3.6, 4.4, 5, 9}, {0, 4.4, 5, 5.8}, {0, 0, 1.4, 5.8}, {0, 0, 5, 1.8}}},
      {'3',
       6,
       {{0.6, 7.6, 4.6, 9},
        {3.2, 4.6, 4.6, 9},
        {1.6, 4.6, 6, 6},
        {3.8, 0, 6, 6},
        {0.6, 0, 6, 1.8}}},
      {'4', 7, {{0, 3.2, 1.4, 9}, {0, 3.2, 7, 4.6}, {4.2, 0, 5.8, 7}, {3.2, 0, 7, 1.6}}},
      {'5', 6, {{0, 7.6, 6, 9}, {0, 4.6, 1.4, 9}, {0, 4.6, 6, 6}, {4.4, 0, 6, 6}, {0, 0, 6, 1.6}}},
      {'6', 6, {{0, 0, 1.6, 9}, {0, 7.6, 4.6, 9}, {0, 4.6, 6, 6}, {4.4, 0, 6, 6}, {0, 0, 6, 1.6}}},
      {'7', 5, {{0, 7.6, 5, 9}, {3.6, 0, 5, 9}, {2.4, 0, 5, 3}}},
      {'8',
       6,
       {{0.6, 4.6, 2, 9},
        {4, 4.6, 5.4, 9},
        {0.6, 7.6, 5.4, 9},
        {0, 4.6, 6, 6},
        {0, 0, 2.2, 6},
        {3.8, 0, 6, 6},
        {0, 0, 6, 1.8}}},
      {'9',
       6,
       {{0, 4.6, 1.6, 9}, {4.4, 0, 6, 9}, {0, 7.6, 6, 9}, {0, 4.6, 6, 6}, {2.4, 0, 6, 1.6}}},
      {kTransitSymbol, 7, {{0, 0, 1.4, 9}, {3.2, 6, 7, 9}, {3.2, 0, 7, 3}}},
      {kAmountSymbol, 7, {{2.8, 0, 4.2, 9}, {0, 6.2, 2, 9}, {5, 0, 7, 2.8}}},
      {kOnUsSymbol, 7, {{0, 1, 1.6, 8}, {2.8, 3.6, 4.4, 5.4}, {5.4, 1, 7, 8}}},
      {kDashSymbol, 7, {{0, 3, 7, 4.4}, {0, 5.4, 7, 6.8}}},
  };
  return kCharacters;
}

const Character* Find(char c) {
  for (const Character& character : Characters()) {
    if (character.c == c) return &character;
  }
  return nullptr;
}

}  // namespace

bool IsE13bCharacter(char c) { return Find(c) != nullptr; }

double E13bWidthSquares(char c) {
  const Character* character = Find(c);
  return character == nullptr ? 0 : character->width;
}

void AppendE13bCharacter(CanvasPath& path, char c, double right_x, double baseline_y,
                         double square_points) {
  const Character* character = Find(c);
  if (character == nullptr) return;
  const double left_x = right_x - character->width * square_points;
  for (const Block& block : character->blocks) {
    path.AddRectangle(left_x + block.left * square_points, baseline_y - block.top * square_points,
                      (block.right - block.left) * square_points,
                      (block.top - block.bottom) * square_points);
  }
}

}  // namespace zenkar
