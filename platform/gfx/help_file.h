// The help file tarnwell.hlp: a sealed resource file (resource_file.h) of
// HTML pages under "help/", one per context number ("3000.html"), the
// contents page "contents.html" and the list of topics "topics.txt" (one
// line per topic: context, group and title, separated by tabs).
#pragma once

#include <QString>
#include <map>
#include <string>

#include "platform/gfx/resource_file.h"

namespace tw::gfx {

class HelpFile {
 public:
  // Damaged also when the list of topics or the contents page is missing or
  // a listed topic has no page.
  ResourceFile::Status Open(const std::string& path);
  void Close();
  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& Problem() const { return problem_; }
  // The folder of the pages (":/tw_helpN/help"); empty while closed.
  const QString& Root() const { return root_; }
  // Context -> title of every listed topic.
  const std::map<int, QString>& Titles() const { return titles_; }

 private:
  ResourceFile file_;
  QString root_;
  std::map<int, QString> titles_;
  std::string problem_;
};

}  // namespace tw::gfx
