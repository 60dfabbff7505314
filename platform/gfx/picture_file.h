// Picture files of the Images folder, named as the program spells them
// ("Images\DB011.bmp"): the letter case of every component is resolved.
#pragma once

#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"

namespace tw::gfx {

bool PictureFileExists(const std::string& path);
// Empty when the file is missing or is not a picture.
Bitmap LoadPictureFile(const std::string& path);
// File names in folder matching a mask such as "b*.bmp" ('*' and '?'),
// both without regard to case, sorted by name without regard to case.
std::vector<std::string> ListPictureFiles(const std::string& folder, const std::string& mask);

}  // namespace tw::gfx
