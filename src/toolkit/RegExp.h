#pragma once
// Regular expressions in the ECMAScript dialect that VBScript's RegExp object speaks, over PCRE2.
//
// Patterns, subjects, replacements and results are the program's 8-bit text; matching itself
// runs on UTF-8 in PCRE2's UTF mode, so a multi-byte character is always one character.
// "." stops at line terminators, "^" and "$" only match at the ends of the whole subject, and
// ignore-case folds Unicode letters (full-width and Greek letters too; Chinese matches itself).
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Finds picture and script tags in a chapter body. The lazy run may cross a ">", so one match can
// reach from a picture tag to the end of a later tag that ends in one of the six characters.
inline constexpr const char* kTagPattern = "<(img|script).*?.[^>]*(\"|'| |/|g|f)>";
// The nine characters a Windows file name cannot hold: \ / * < > : " ? |
inline constexpr const char* kFileNamePattern = "\\\\|/|\\*|<|>|\\:|\"|\\?|\\|";

// A pattern the engine rejects, or a match the engine gives up on (too much backtracking).
class TRegExpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TMatch {
    std::string Value;  // the matched text
};

// The matches of one Execute, in order of position.
class TMatchCollection {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const TMatch& operator[](std::size_t index) const { return items_[index]; }
    const TMatch& Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    std::vector<TMatch>::const_iterator begin() const { return items_.begin(); }
    std::vector<TMatch>::const_iterator end() const { return items_.end(); }

private:
    friend class TRegExp;
    std::vector<TMatch> items_;
};

class TRegExp {
public:
    TRegExp();
    ~TRegExp();
    TRegExp(TRegExp&&) noexcept;
    TRegExp& operator=(TRegExp&&) noexcept;
    TRegExp(const TRegExp&) = delete;
    TRegExp& operator=(const TRegExp&) = delete;

    void SetPattern(const std::string& pattern) { pattern_ = pattern; }
    const std::string& Pattern() const { return pattern_; }
    void SetIgnoreCase(bool ignoreCase) { ignoreCase_ = ignoreCase; }
    bool IgnoreCase() const { return ignoreCase_; }
    // On: every match is found or replaced; off: only the first.
    void SetGlobal(bool global) { global_ = global; }
    bool Global() const { return global_; }

    // The pattern is compiled at the first use after it or ignore-case changed; a rejected
    // pattern raises TRegExpError here, with the engine's message.
    TMatchCollection Execute(const std::string& subject);
    // ECMAScript replacement syntax: $1..$99, $&, $`, $', $$; anything else is literal.
    std::string Replace(const std::string& subject, const std::string& replacement);

private:
    struct Engine;
    struct Program;
    Program& Compiled();
    template <typename OnMatch>
    void ForEachMatch(const std::string& utf8Subject, OnMatch onMatch);

    std::string pattern_;
    bool ignoreCase_ = false;
    bool global_ = false;
    std::unique_ptr<Engine> engine_;  // made at first use
};
