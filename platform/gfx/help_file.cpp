#include "platform/gfx/help_file.h"

#include <QFile>
#include <QFileInfo>
#include <atomic>

namespace tw::gfx {

ResourceFile::Status HelpFile::Open(const std::string& path) {
  Close();
  // Each file is mapped under a root of its own.
  static std::atomic<int> serial{0};
  const QString mapRoot = "/tw_help" + QString::number(serial++);
  const ResourceFile::Status status = file_.Open(path, mapRoot);
  problem_ = file_.Problem();
  if (status != ResourceFile::Status::Ok) return status;

  const QString root = ":" + mapRoot + "/help";
  std::map<int, QString> titles;
  QFile list(root + "/topics.txt");
  if (!list.open(QIODevice::ReadOnly) || !QFileInfo(root + "/contents.html").isFile()) {
    problem_ = "no list of topics or no contents";
  } else {
    for (const QByteArray& raw : list.readAll().split('\n')) {
      if (raw.trimmed().isEmpty()) continue;
      const QList<QByteArray> f = raw.split('\t');
      bool number = false;
      const int context = f[0].toInt(&number);
      if (f.size() < 3 || !number || !QFileInfo(root + "/" + QString::number(context) + ".html").isFile()) {
        problem_ = "a damaged list of topics";
        break;
      }
      titles[context] = QString::fromUtf8(f[2]);
    }
  }
  if (!problem_.empty()) {
    file_.Close();
    return ResourceFile::Status::Damaged;
  }
  root_ = root;
  titles_ = std::move(titles);
  return ResourceFile::Status::Ok;
}

void HelpFile::Close() {
  file_.Close();
  root_.clear();
  titles_.clear();
}

}  // namespace tw::gfx
