// Picture files of the Images folder, named as the program spells them
// ("Images\DB011.bmp"): the letter case of every component is resolved.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/bitmap.h"

namespace tw::gfx {

bool PictureFileExists(const std::string& path);

enum class PictureStatus { Ok, Missing, Damaged };
// Largest width and height of a picture file.
inline constexpr int kMaxPictureSide = 4096;
// Why the bytes are not a Windows bitmap the program can decode; empty when
// they are: the headers, a size of 1..kMaxPictureSide pixels each way, a bit
// depth and compression the decoder knows, and uncompressed pixel data that
// the file holds whole.
std::string CheckPictureBytes(std::string_view bytes);
// The same for the PNG pictures of the picture library: the signature, a
// header of kMaxPictureSide pixels or fewer each way, and every chunk
// within the bytes up to the closing one.
std::string CheckPngBytes(std::string_view bytes);
// Empty when the file is missing or damaged (checked before it is decoded,
// and decoded from the bytes checked); status tells which.
Bitmap LoadPictureFile(const std::string& path, PictureStatus* status = nullptr);
// File names in folder matching a mask such as "b*.bmp" ('*' and '?'),
// both without regard to case, sorted by name without regard to case.
std::vector<std::string> ListPictureFiles(const std::string& folder, const std::string& mask);

}  // namespace tw::gfx
