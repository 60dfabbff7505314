#include "ui/commands.h"

#include <cctype>

namespace tw {

std::string ChampionsQuestion(const std::string& page) {
  return "Tarnwell 2000 will now open the page: " + page + "\rClick OK to continue.";
}

std::string WebOrMailTarget(const std::string& kind, const std::string& address) {
  std::string upper = kind;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper == "EMAIL") return "mailto:" + address;
  if (upper != "HTTP") return "";
  if (address.rfind("http://", 0) == 0 || address.rfind("https://", 0) == 0) return address;
  return "http://" + address;
}

}  // namespace tw
