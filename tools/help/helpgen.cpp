// The help generator: turns the topic sources of data/help/ into the pages
// of the help file (one HTML page per context number, a contents page and
// the list of topics) and checks them: every context once, every link to a
// topic that exists, and a rules topic (context game + 3000, titled with the
// game's name) for every game of the games source (a game without one gets a
// stand-in page and a warning).
//
//   helpgen STAGE_DIR --games A.games ... --topics A.md ...
//
// A topic source starts with "key: value" lines (context, title, section)
// and "---", followed by the text in Markdown (GitHub's dialect, tables
// included); links [text](context) lead to other topics.
#include <QGuiApplication>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Topic {
  int context = -1;
  std::string title, section, file;
  std::vector<std::string> body;
};

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  const size_t b = s.find_last_not_of(" \t\r");
  return s.substr(a, b - a + 1);
}

std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '"')
      out += "&quot;";
    else
      out += c;
  }
  return out;
}

std::vector<std::string> errors;

void Fail(const std::string& where, const std::string& what) {
  errors.push_back(where + ": " + what);
}

// Links found while converting: (topic file, target context).
std::vector<std::pair<std::string, int>> links;

// Topic links [text](3001) point at their page; web links stay as they are.
std::string PageLinks(const std::string& text, const std::string& where) {
  static const std::regex link(R"((\[[^\]]*\]\()([^)\s]+)\))");
  std::string out;
  size_t last = 0;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), link);
       it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    out += text.substr(last, static_cast<size_t>(m.position()) - last);
    const std::string target = m[2].str();
    if (target.rfind("http", 0) == 0 || target.rfind("mailto:", 0) == 0) {
      out += m[0].str();
    } else {
      int context = -1;
      try {
        context = std::stoi(target);
      } catch (...) {
        Fail(where, "link target is not a context number: " + target);
      }
      links.emplace_back(where, context);
      out += m[1].str() + std::to_string(context) + ".html)";
    }
    last = static_cast<size_t>(m.position() + m.length());
  }
  return out + text.substr(last);
}

// The body as HTML, read by Qt's Markdown reader (GitHub's dialect: tables,
// lists, emphasis, links).
std::string Markdown(const std::string& text) {
  QTextDocument doc;
  doc.setMarkdown(QString::fromStdString(text), QTextDocument::MarkdownDialectGitHub);
  const QString html = doc.toHtml();
  const qsizetype open = html.indexOf("<body");
  const qsizetype from = open < 0 ? -1 : html.indexOf('>', open);
  const qsizetype to = html.lastIndexOf("</body>");
  if (from < 0 || to < from) return html.toStdString();
  return html.mid(from + 1, to - from - 1).toStdString();
}

const char* kStyle =
    "body { font-family: 'DejaVu Sans', sans-serif; font-size: 10pt; color: #202020; }\n"
    "h1 { font-size: 16pt; color: #0b5d1e; margin-bottom: 4px; }\n"
    "h2 { font-size: 12pt; color: #0b5d1e; margin-top: 14px; margin-bottom: 2px; }\n"
    "h3 { font-size: 10pt; margin-top: 10px; margin-bottom: 2px; }\n"
    "p { margin-top: 4px; margin-bottom: 6px; }\n"
    "table { margin-top: 4px; margin-bottom: 8px; }\n"
    "th { background-color: #dfe8df; text-align: left; }\n"
    "li { margin-bottom: 2px; }\n"
    "a { color: #1a4fa0; }\n"
    ".section { color: #707070; font-size: 8pt; }\n";

std::string Page(const std::string& title, const std::string& section, const std::string& body) {
  std::string out = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + Escape(title) +
                    "</title>\n<style>\n" + kStyle + "</style></head><body>\n";
  if (!section.empty()) out += "<p class=\"section\">" + Escape(section) + "</p>\n";
  out += "<h1>" + Escape(title) + "</h1>\n" + body + "</body></html>\n";
  return out;
}

std::string Convert(const Topic& t) {
  std::string text;
  for (const std::string& line : t.body) text += line + "\n";
  return Page(t.title, t.section, Markdown(PageLinks(text, t.file)));
}

bool ReadTopic(const std::string& path, Topic& t) {
  std::ifstream in(path);
  if (!in) {
    Fail(path, "cannot be read");
    return false;
  }
  t.file = fs::path(path).filename().string();
  std::string line;
  bool header = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (header) {
      if (Trim(line) == "---") {
        header = false;
        continue;
      }
      const size_t colon = line.find(':');
      if (colon == std::string::npos) {
        if (!Trim(line).empty()) Fail(t.file, "header line without a key: " + line);
        continue;
      }
      const std::string key = Trim(line.substr(0, colon)), value = Trim(line.substr(colon + 1));
      if (key == "context") {
        try {
          t.context = std::stoi(value);
        } catch (...) {
          Fail(t.file, "context is not a number");
        }
      } else if (key == "title") {
        t.title = value;
      } else if (key == "section") {
        t.section = value;
      } else {
        Fail(t.file, "unknown header key " + key);
      }
    } else {
      t.body.push_back(line);
    }
  }
  if (header) Fail(t.file, "no \"---\" after the header");
  if (t.context < 0) Fail(t.file, "no context number");
  if (t.title.empty()) Fail(t.file, "no title");
  return true;
}

// "game N Name" lines of the games source.
std::map<int, std::string> ReadGames(const std::vector<std::string>& files) {
  std::map<int, std::string> games;
  static const std::regex game(R"(^game\s+(\d+)\s+(.+?)\s*$)");
  for (const std::string& f : files) {
    std::ifstream in(f);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::smatch m;
      if (std::regex_match(line, m, game)) games[std::stoi(m[1].str())] = m[2].str();
    }
  }
  return games;
}

bool WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  // Fonts of the Markdown reader need an application; no display is used.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::cerr << "usage: helpgen STAGE_DIR --games FILES... --topics FILES...\n";
    return 2;
  }
  const fs::path stage = argv[1];
  std::vector<std::string> gameFiles, topicFiles;
  std::vector<std::string>* into = nullptr;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--games")
      into = &gameFiles;
    else if (a == "--topics")
      into = &topicFiles;
    else if (into)
      into->push_back(a);
  }
  std::sort(topicFiles.begin(), topicFiles.end());

  std::map<int, Topic> topics;
  for (const std::string& f : topicFiles) {
    Topic t;
    if (!ReadTopic(f, t) || t.context < 0) continue;
    if (topics.count(t.context)) {
      Fail(t.file,
           "context " + std::to_string(t.context) + " already used by " + topics[t.context].file);
      continue;
    }
    topics[t.context] = t;
  }
  // A game without its rules, or rules of no game.
  const std::map<int, std::string> games = ReadGames(gameFiles);
  for (const auto& [number, name] : games) {
    auto it = topics.find(number + 3000);
    if (it == topics.end()) {
      // A game added without its rules still gets a page, so that its rules
      // command shows something; the warning and the tests ask for the text.
      std::cerr << "helpgen: warning: " << name << ": no rules topic (context " << number + 3000
                << ")\n";
      Topic t;
      t.context = number + 3000;
      t.title = name;
      t.section = "Rules of the games";
      t.file = "(missing rules of " + name + ")";
      t.body = {"The rules of this game are not written yet."};
      topics[t.context] = t;
    } else if (it->second.title != name)
      Fail(it->second.file,
           "title \"" + it->second.title + "\" is not the game's name \"" + name + "\"");
  }
  for (const auto& [context, t] : topics)
    if (context >= 3000 && context < 4000 && !games.count(context - 3000))
      Fail(t.file, "rules topic of no game");

  std::error_code ec;
  fs::remove_all(stage, ec);
  fs::create_directories(stage / "help");
  std::string list, qrc = "<RCC>\n<qresource prefix=\"/\">\n";
  std::map<std::string, std::vector<const Topic*>> sections;
  for (const auto& [context, t] : topics) {
    const std::string name = std::to_string(context) + ".html";
    WriteFile(stage / "help" / name, Convert(t));
    qrc += "  <file>help/" + name + "</file>\n";
    list += std::to_string(context) + "\t" + t.section + "\t" + t.title + "\n";
    sections[t.section].push_back(&t);
  }
  for (const auto& [file, context] : links)
    if (!topics.count(context)) Fail(file, "link to a missing topic " + std::to_string(context));

  // The contents page: sections in name order, topics by title.
  std::string body;
  for (auto& [section, list2] : sections) {
    std::sort(list2.begin(), list2.end(),
              [](const Topic* a, const Topic* b) { return a->title < b->title; });
    body += "<h2>" + Escape(section.empty() ? "General" : section) + "</h2>\n<ul>\n";
    for (const Topic* t : list2)
      body += "<li><a href=\"" + std::to_string(t->context) + ".html\">" + Escape(t->title) +
              "</a></li>\n";
    body += "</ul>\n";
  }
  WriteFile(stage / "help" / "contents.html", Page("Contents", "", body));
  WriteFile(stage / "help" / "topics.txt", list);
  qrc += "  <file>help/contents.html</file>\n  <file>help/topics.txt</file>\n";
  qrc += "</qresource>\n</RCC>\n";
  WriteFile(stage / "help.qrc", qrc);

  for (const std::string& e : errors) std::cerr << "helpgen: " << e << "\n";
  if (!errors.empty()) return 1;
  std::cout << "helpgen: " << topics.size() << " topics\n";
  return 0;
}
