// QEX.RGF, the picture library. The input is the resource data; sealed here
// with its right checksum, it reaches the structure check, which alone
// decides: a library is opened exactly when the check passes, and then every
// picture and cursor it names loads. The input as it stands, unsealed or
// sealed wrongly, is refused unless its own seal is right.
#include "fuzz/fuzz_common.h"
#include "platform/gfx/reslib.h"
#include "platform/gfx/resource_file.h"

using namespace tw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string path = fuzz::ScratchDir() + "QEX.RGF";
  gfx::ResourceLibrary library;

  fuzz::WriteBytes(path, gfx::SealResource(input));
  const bool sound = gfx::CheckResourceStructure(input).empty();
  FUZZ_CHECK(library.Open(path) == sound);
  FUZZ_CHECK(library.IsOpen() == sound);
  if (sound) {
    int n = 0;
    for (const std::string& name : library.Names()) {
      FUZZ_CHECK(library.Contains(name));
      library.LoadBitmap(name);
      library.LoadCursor(name);
      if (++n == 64) break;
    }
    library.LoadBitmap("WL004");
  }
  library.Close();
  FUZZ_CHECK(!library.IsOpen() && library.Names().empty());

  fuzz::WriteBytes(path, data, size);
  std::string_view inner;
  FUZZ_CHECK(library.Open(path) == gfx::CheckSealedResource(input, inner).empty());
  return 0;
}
