// The texts and targets of the window's commands that need no window: web
// and mail links, the product's web pages.
#pragma once

#include <string>

namespace tw {

// The product's web site and its two pages.
inline constexpr const char* kWebSite = "www.tarnwell2000.example";
inline constexpr const char* kDownloadPage = "www.tarnwell2000.example/download.htm";
inline constexpr const char* kChampionsPage = "www.tarnwell2000.example/champion.htm";
inline constexpr const char* kDownloadQuestion =
    "Tarnwell 2000 will now open the download page from our Web site.\rClick OK to continue.";
std::string ChampionsQuestion(const std::string& page);
inline constexpr const char* kLinkError = "Error in parameters";

// What the shell opens for a link: "EMAIL" (any letter case) gives
// "mailto:" + address, "HTTP" the address when it starts with "http://" or
// "https://", else "http://" + address; "" for any other kind.
std::string WebOrMailTarget(const std::string& kind, const std::string& address);

}  // namespace tw
