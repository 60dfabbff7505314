#include "core/cfg.h"

#include <algorithm>

namespace tw {

namespace {
constexpr int kPartLength = 250;

// String and 0-based index of a 1-based position; false for positions
// outside the record (and for 250 and 500, which no field uses).
bool Locate(int pos, int& part, int& index) {
  if (pos < 1 || pos >= 750) return false;
  part = pos / kPartLength;
  index = pos - part * kPartLength - 1;
  return index >= 0;
}
}  // namespace

CfgRecordData::CfgRecordData() { Blank(); }

void CfgRecordData::Blank() {
  for (auto& t : text_) t.assign(kPartLength, ' ');
}

void CfgRecordData::Set(int pos, int len, const std::string& value) {
  int part = 0, index = 0;
  if (len <= 0 || !Locate(pos, part, index)) return;
  size_t start = value.find_first_not_of(' ');
  std::string v = start == std::string::npos ? std::string() : value.substr(start);
  // A field never runs past the positions of its own string (the last
  // character of each string has no position).
  len = std::min(len, kPartLength - 1 - index);
  v.resize(static_cast<size_t>(len), ' ');
  text_[part].replace(static_cast<size_t>(index), static_cast<size_t>(len), v);
}

std::string CfgRecordData::Get(int pos, int len) const {
  int part = 0, index = 0;
  if (len <= 0 || !Locate(pos, part, index)) return {};
  std::string v = text_[part].substr(static_cast<size_t>(index), static_cast<size_t>(len));
  size_t end = v.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : v.substr(0, end + 1);
}

}  // namespace tw
