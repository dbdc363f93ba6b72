// IniDocument: the text of a private-profile (INI) file, read and changed one key at a time with
// the semantics of the Windows private-profile calls.
//
// Lines are "[section]" headers, "key=value" lines and anything else (blank lines, comments,
// junk), which is kept as it is. Section and key names match without regard to ASCII case; the
// first matching section and, in it, the first matching key win. Names and values are trimmed of
// blanks and tabs; a value enclosed in a pair of equal quotes (" or ') loses them. Lines before
// the first section belong to no section. Set replaces the first matching key's line, or adds
// the key after the last non-blank line of the section, or adds the section at the end of the
// file. Text() gives the whole file, every line ended by '\n' (carriage returns before it are
// dropped), and reads back as the same document.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wobbert::platform {

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string_view text);

  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // False, and nothing changed, when a name is empty or the names or value could not be read
  // back as written (a line break anywhere, '=' in the key, ']' in the section, a key that
  // starts with '[', blanks around a name).
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  std::string Text() const;

 private:
  struct Line {
    std::string text;
    enum class Kind { Section, Key, Other } kind = Kind::Other;
    std::string name;  // section or key name, trimmed
    std::string value;  // key value, trimmed and unquoted
  };

  static Line Parse(std::string text);
  // Index of the section's header line, if any.
  std::optional<std::size_t> FindSection(std::string_view section) const;

  std::vector<Line> lines_;
};

}  // namespace wobbert::platform
