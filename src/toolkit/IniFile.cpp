#include "toolkit/IniFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <optional>
#include <vector>

#include "toolkit/AtomicFile.h"

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string Trimmed(const std::string& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && IsSpace(text[begin]))
        ++begin;
    while (end > begin && IsSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// ASCII letters fold; a two-byte character (whose second byte may look like a letter) must
// match exactly.
bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size();) {
        const auto lead = static_cast<unsigned char>(a[i]);
        if (lead >= 0x81 && lead <= 0xFE && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            i += 2;
        } else {
            if (AsciiLower(a[i]) != AsciiLower(b[i]))
                return false;
            ++i;
        }
    }
    return true;
}

struct Line {
    std::string text;                  // as in the file, without its line end
    std::optional<std::string> section; // name, for a "[section]" line
    std::optional<std::string> key;     // name, for a "key=value" line
    std::string value;
};

Line Parse(std::string text)
{
    Line line{std::move(text), {}, {}, {}};
    const std::string t = Trimmed(line.text);
    if (t.empty() || t.front() == ';')
        return line;
    if (t.front() == '[') {
        const size_t close = t.find(']');
        if (close != std::string::npos)
            line.section = Trimmed(t.substr(1, close - 1));
        return line;
    }
    const size_t eq = t.find('=');
    if (eq == std::string::npos)
        return line;
    std::string key = Trimmed(t.substr(0, eq));
    if (key.empty())
        return line;
    line.key = std::move(key);
    line.value = Trimmed(t.substr(eq + 1));
    return line;
}

std::vector<Line> ParseAll(const std::string& bytes)
{
    std::vector<Line> lines;
    size_t from = 0;
    while (from < bytes.size()) {
        size_t end = bytes.find('\n', from);
        if (end == std::string::npos)
            end = bytes.size();
        std::string text = bytes.substr(from, end - from);
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        lines.push_back(Parse(std::move(text)));
        from = end + 1;
    }
    return lines;
}

// Index of the first "[section]" line with that name, or lines.size().
size_t FindSection(const std::vector<Line>& lines, const std::string& section)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].section && SameName(*lines[i].section, section))
            return i;
    return lines.size();
}

// One past the last line that belongs to the section starting at `header`.
size_t SectionEnd(const std::vector<Line>& lines, size_t header)
{
    size_t i = header + 1;
    while (i < lines.size() && !lines[i].section)
        ++i;
    return i;
}

bool HasLineBreak(const std::string& text)
{
    return text.find_first_of("\r\n") != std::string::npos;
}

} // namespace

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const
{
    std::string bytes;
    if (!ReadFileBytes(path_, bytes))
        return defaultValue;
    const std::vector<Line> lines = ParseAll(bytes);
    const std::string wantedSection = Trimmed(section);
    const std::string wantedKey = Trimmed(key);
    const size_t header = FindSection(lines, wantedSection);
    if (header == lines.size())
        return defaultValue;
    const size_t end = SectionEnd(lines, header);
    for (size_t i = header + 1; i < end; ++i)
        if (lines[i].key && SameName(*lines[i].key, wantedKey))
            return lines[i].value;
    return defaultValue;
}

bool TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value)
{
    const std::string name = Trimmed(section);
    const std::string keyName = Trimmed(key);
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
        name.find(']') != std::string::npos || keyName.empty() ||
        keyName.find('=') != std::string::npos || keyName.front() == '[' ||
        keyName.front() == ';')
        return false;

    std::string bytes;
    if (!ReadFileBytes(path_, bytes)) {
        // Only a file that is not there may be started afresh; anything else would be lost.
        struct stat st {};
        if (::lstat(path_.c_str(), &st) == 0 || errno != ENOENT)
            return false;
    }
    std::vector<Line> lines = ParseAll(bytes);
    const std::string entry = keyName + "=" + value;

    const size_t header = FindSection(lines, name);
    if (header == lines.size()) {
        lines.push_back(Parse("[" + name + "]"));
        lines.push_back(Parse(entry));
    } else {
        const size_t end = SectionEnd(lines, header);
        bool replaced = false;
        for (size_t i = header + 1; i < end && !replaced; ++i) {
            if (lines[i].key && SameName(*lines[i].key, keyName)) {
                lines[i] = Parse(*lines[i].key + "=" + value);
                replaced = true;
            }
        }
        if (!replaced) {
            // After the section's last non-blank line, so blank separators stay where they are.
            size_t at = end;
            while (at > header + 1 && Trimmed(lines[at - 1].text).empty())
                --at;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Parse(entry));
        }
    }

    std::string out;
    for (const Line& line : lines)
        out += line.text + "\r\n";
    return WriteFileAtomically(path_, out);
}
