// The picture files of Images\ (card backs and backgrounds). A file is
// decoded only when its check passes, to a picture of the size its header
// gives; a picture written again as a bitmap loads back the same. The table
// never goes without a picture: a refused card back is told once and a
// stand-in of the card size is drawn instead.
#include <QBuffer>
#include <QImage>

#include "fuzz/fuzz_common.h"
#include "platform/gfx/picture_file.h"
#include "table/view/card_pictures.h"

using namespace tw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  fuzz::Table t;
  std::filesystem::create_directory(fuzz::ScratchDir() + "Images");
  const std::string path = fuzz::ScratchDir() + "Images/DL006.bmp";
  fuzz::WriteBytes(path, data, size);

  gfx::PictureStatus status;
  const gfx::Bitmap picture = gfx::LoadPictureFile(path, &status);
  FUZZ_CHECK(picture.Empty() == (status != gfx::PictureStatus::Ok));
  if (!gfx::CheckPictureBytes(input).empty()) FUZZ_CHECK(status == gfx::PictureStatus::Damaged);
  if (status == gfx::PictureStatus::Ok) {
    FUZZ_CHECK(picture.Width() >= 1 && picture.Width() <= gfx::kMaxPictureSide);
    FUZZ_CHECK(picture.Height() >= 1 && picture.Height() <= gfx::kMaxPictureSide);
    QByteArray again;
    QBuffer buffer(&again);
    buffer.open(QIODevice::WriteOnly);
    const QImage image = picture.Image().convertToFormat(QImage::Format_RGB32);
    FUZZ_CHECK(image.save(&buffer, "BMP"));
    buffer.close();
    fuzz::WriteBytes(path, reinterpret_cast<const uint8_t*>(again.constData()),
                     static_cast<size_t>(again.size()));
    const gfx::Bitmap reloaded = gfx::LoadPictureFile(path, &status);
    FUZZ_CHECK(status == gfx::PictureStatus::Ok);
    FUZZ_CHECK(reloaded.Image().convertToFormat(QImage::Format_RGB32) == image);
    return 0;
  }

  gfx::ResourceLibrary library;
  PictureLoader loader(t.ctx, library);
  gfx::Bitmap back;
  FUZZ_CHECK(!loader.LoadImagesBitmap(back, "DL006"));
  FUZZ_CHECK(back.Width() == 25 && back.Height() == 32);
  FUZZ_CHECK(t.ui.messages == 1);
  FUZZ_CHECK(t.ui.last.rfind("Cannot load damaged images file:", 0) == 0);
  return 0;
}
