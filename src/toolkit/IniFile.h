#pragma once
// INI files as the program has always kept them ("[section]" lines, "key=value" lines), read and
// written as raw 8-bit text with no conversion.
//
// Section and key names match ignoring ASCII letter case (never inside a two-byte character);
// a missing file, section or key reads as the default; whitespace around names and values is
// not part of them; ";" lines and lines that are neither are skipped when reading and kept
// unchanged when writing. The first of several equal sections or keys is the one that counts.
#include <string>

class TIniFile {
public:
    explicit TIniFile(std::string path);

    const std::string& FileName() const { return path_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Replaces the key's value, or appends the key (and its section when missing), keeping every
    // other line; the file is created here if it does not exist. False when the file cannot be
    // read or replaced, or when a name or the value would break the file's lines (a line break
    // anywhere, "]" in the section, "=" in the key, an empty key, a key starting "[" or ";").
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);

private:
    std::string path_;
};
