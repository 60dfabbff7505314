#include "platform/gfx/pictures.h"

#include <array>
#include <cstdio>

namespace tw::gfx {

namespace {

constexpr std::array<PictureInfo, 27> kBacks = {{
    {1, "Fish scales", "Animals"},     {2, "Zebra", "Animals"},
    {3, "Leopard", "Animals"},         {4, "Peacock", "Animals"},
    {5, "Balloons", "Children"},       {6, "Red lattice", "Geometric"},
    {7, "Starry sky", "Children"},     {8, "Polka dots", "Children"},
    {9, "Checkers", "Children"},       {10, "Daisies", "Flowers"},
    {11, "Blue lattice", "Geometric"}, {12, "Rose window", "Flowers"},
    {13, "Petals", "Flowers"},         {14, "Honeycomb", "Geometric"},
    {15, "Waves", "Nature"},           {16, "Heraldic", "Medieval"},
    {17, "Castle stones", "Medieval"}, {18, "Chain mail", "Medieval"},
    {19, "Leaves", "Nature"},          {20, "Sunset", "Nature"},
    {21, "Mountains", "Nature"},       {22, "Mosaic", "Paintings"},
    {23, "Circles", "Paintings"},      {24, "Starburst", "Paintings"},
    {25, "Basket weave", "Geometric"}, {26, "Spiral", "Paintings"},
    {27, "Tartan", "Children"},
}};

constexpr std::array<PictureInfo, 73> kBackgrounds = {{
    {101, "Parquet", "Geometricals"},
    {102, "Moquette", "Geometricals"},
    {103, "Cloth", "Geometricals"},
    {104, "Cane-brake", "Geometricals"},
    {105, "Thousand rows", "Geometricals"},
    {257, "Aurora", "Colors fantasy"},
    {258, "Lagoon", "Colors fantasy"},
    {259, "Ember", "Colors fantasy"},
    {260, "Orchid", "Colors fantasy"},
    {261, "Citrus", "Colors fantasy"},
    {262, "Twilight", "Colors fantasy"},
    {263, "Clouds", "Fractal"},
    {264, "Plasma", "Fractal"},
    {265, "Ridges", "Fractal"},
    {266, "Frost", "Fractal"},
    {267, "Smoke", "Fractal"},
    {268, "Nebula", "Fractal"},
    {269, "Diamonds", "Geometricals"},
    {270, "Triangles", "Geometricals"},
    {271, "Hexagons", "Geometricals"},
    {272, "Squares", "Geometricals"},
    {273, "Rings", "Geometricals"},
    {274, "Zigzag", "Geometricals"},
    {275, "White marble", "Marbles"},
    {276, "Green marble", "Marbles"},
    {277, "Red marble", "Marbles"},
    {278, "Black marble", "Marbles"},
    {279, "Blue marble", "Marbles"},
    {280, "Brushed steel", "Metal"},
    {281, "Copper", "Metal"},
    {282, "Gold", "Metal"},
    {283, "Tread plate", "Metal"},
    {284, "Rust", "Metal"},
    {285, "Grass", "Nature"},
    {286, "Sand", "Nature"},
    {287, "Water", "Nature"},
    {288, "Pebbles", "Nature"},
    {289, "Moss", "Nature"},
    {290, "Cork", "Others"},
    {291, "Paper", "Others"},
    {292, "Leather", "Others"},
    {293, "Denim", "Others"},
    {294, "Night stars", "Others"},
    {295, "Dots", "Patterns"},
    {296, "Stripes", "Patterns"},
    {297, "Checks", "Patterns"},
    {298, "Waves", "Patterns"},
    {299, "Scales", "Patterns"},
    {300, "Granite", "Surfaces"},
    {301, "Concrete", "Surfaces"},
    {302, "Slate", "Surfaces"},
    {303, "Terracotta", "Surfaces"},
    {304, "Ice", "Surfaces"},
    {305, "Green felt", "Tissue"},
    {306, "Blue felt", "Tissue"},
    {307, "Red velvet", "Tissue"},
    {308, "Linen", "Tissue"},
    {309, "Canvas", "Tissue"},
    {310, "Lilies", "Wall-paper"},
    {311, "Damask", "Wall-paper"},
    {312, "Pinstripe", "Wall-paper"},
    {313, "Trellis", "Wall-paper"},
    {314, "Polka", "Wall-paper"},
    {315, "Red bricks", "Walls"},
    {316, "Stone wall", "Walls"},
    {317, "Tiles", "Walls"},
    {318, "Cobbles", "Walls"},
    {319, "Plaster", "Walls"},
    {320, "Oak", "Wood"},
    {321, "Walnut", "Wood"},
    {322, "Pine", "Wood"},
    {323, "Mahogany", "Wood"},
    {324, "Birch", "Wood"},
}};

std::string Numbered(const char* prefix, int number) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%s%03d", prefix, number % 1000);
  return buffer;
}

}  // namespace

std::span<const PictureInfo> CardBacks() { return kBacks; }
std::span<const PictureInfo> Backgrounds() { return kBackgrounds; }

std::string BackFileName(char size_letter, int number) {
  const char prefix[3] = {'D', size_letter, '\0'};
  return Numbered(prefix, number);
}

std::string BackgroundFileName(int number) { return Numbered("B", number); }

}  // namespace tw::gfx
