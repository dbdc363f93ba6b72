#include "platform/sdl/ini_document.h"

#include <algorithm>

namespace wobbert::platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string Unquote(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

IniDocument::IniDocument(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    // Every carriage return at the end goes, so that Text() reads back as the same lines.
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.push_back(Parse(std::string(line)));
    start = end + 1;
  }
}

IniDocument::Line IniDocument::Parse(std::string text) {
  Line line;
  const std::string trimmed = Trim(text);
  if (!trimmed.empty() && trimmed.front() == '[') {
    line.kind = Line::Kind::Section;
    const std::size_t close = trimmed.find(']');
    line.name = Trim(std::string_view(trimmed).substr(1, close == std::string::npos ? std::string::npos : close - 1));
  } else if (const std::size_t equals = text.find('='); equals != std::string::npos) {
    line.kind = Line::Kind::Key;
    line.name = Trim(std::string_view(text).substr(0, equals));
    line.value = Unquote(Trim(std::string_view(text).substr(equals + 1)));
  }
  line.text = std::move(text);
  return line;
}

std::optional<std::size_t> IniDocument::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Line::Kind::Section && SameName(lines_[i].name, section)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const auto header = FindSection(section);
  if (!header) return std::nullopt;
  for (std::size_t i = *header + 1; i < lines_.size() && lines_[i].kind != Line::Kind::Section; ++i) {
    if (lines_[i].kind == Line::Kind::Key && SameName(lines_[i].name, key)) return lines_[i].value;
  }
  return std::nullopt;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
      HasLineBreak(value) || section.find(']') != std::string_view::npos ||
      key.find('=') != std::string_view::npos || key.front() == '[' ||
      Trim(section) != section || Trim(key) != key) {
    return false;
  }
  Line keyLine = Parse(std::string(key) + "=" + std::string(value));

  const auto header = FindSection(section);
  if (!header) {
    lines_.push_back(Parse("[" + std::string(section) + "]"));
    lines_.push_back(std::move(keyLine));
    return true;
  }
  std::size_t lastFilled = *header;
  for (std::size_t i = *header + 1; i < lines_.size() && lines_[i].kind != Line::Kind::Section; ++i) {
    if (lines_[i].kind == Line::Kind::Key && SameName(lines_[i].name, key)) {
      lines_[i] = std::move(keyLine);
      return true;
    }
    if (!Trim(lines_[i].text).empty()) lastFilled = i;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastFilled + 1), std::move(keyLine));
  return true;
}

std::string IniDocument::Text() const {
  std::string text;
  for (const Line& line : lines_) {
    text += line.text;
    text += '\n';
  }
  return text;
}

}  // namespace wobbert::platform
