// tarnwell.hlp, the help file. The input is the resource data, sealed here
// with its right checksum so that the structure and the list of topics
// decide. A refused file leaves the help closed; an accepted one has its
// contents page and a page for every topic listed, each readable whole.
#include <QFile>

#include "fuzz/fuzz_common.h"
#include "platform/gfx/help_file.h"

using namespace tw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string path = fuzz::ScratchDir() + "tarnwell.hlp";
  fuzz::WriteBytes(path, gfx::SealResource(input));
  gfx::HelpFile help;
  const gfx::ResourceFile::Status status = help.Open(path);
  if (status != gfx::ResourceFile::Status::Ok) {
    FUZZ_CHECK(status == gfx::ResourceFile::Status::Damaged);
    FUZZ_CHECK(!help.IsOpen() && help.Root().isEmpty() && help.Titles().empty());
    FUZZ_CHECK(!help.Problem().empty());
    return 0;
  }
  FUZZ_CHECK(gfx::CheckResourceStructure(input).empty());
  auto readable = [&](const QString& page) {
    QFile file(help.Root() + "/" + page);
    return file.open(QIODevice::ReadOnly) && file.readAll().size() == file.size();
  };
  FUZZ_CHECK(readable("contents.html"));
  for (const auto& [context, title] : help.Titles())
    FUZZ_CHECK(readable(QString::number(context) + ".html"));
  help.Close();
  FUZZ_CHECK(!help.IsOpen());
  return 0;
}
