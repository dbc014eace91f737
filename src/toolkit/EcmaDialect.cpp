#include "toolkit/EcmaDialect.h"

#include <cstring>

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Letter escapes ECMAScript gives a meaning; \B is an assertion, so only outside a class.
bool IsEcmaLetterEscape(char letter, bool inClass)
{
    if (letter == 'B')
        return !inClass;
    return std::strchr("bdDwWsSfnrtvxuc", letter) != nullptr;
}

// "." of ECMAScript, spelt with PCRE2_ALT_BSUX escapes.
constexpr std::string_view kAnyButLineTerminator = "[^\\n\\r\\u2028\\u2029]";

}  // namespace

std::string EcmaPatternToPcre2(std::string_view pattern, std::vector<std::size_t>& sourceOffsets)
{
    std::string out;
    out.reserve(pattern.size() + 16);
    sourceOffsets.clear();
    sourceOffsets.reserve(pattern.size() + 17);
    auto emit = [&](std::string_view text, std::size_t from) {
        out += text;
        sourceOffsets.insert(sourceOffsets.end(), text.size(), from);
    };

    bool inClass = false;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '\\') {
            if (i + 1 == pattern.size()) {
                emit("\\", i);  // PCRE2 rejects a trailing backslash, as ECMAScript does
                ++i;
                continue;
            }
            const char d = pattern[i + 1];
            if (!IsAsciiLetter(d)) {
                // Digits, punctuation, or the lead byte of a character: PCRE2 agrees.
                emit(pattern.substr(i, 2), i);
            } else if (d == 'v') {
                emit("\\x0B", i);
            } else if (d == 'c') {
                if (i + 2 < pattern.size() && IsAsciiLetter(pattern[i + 2])) {
                    emit(pattern.substr(i, 3), i);
                    ++i;
                } else {
                    emit("\\\\c", i);
                }
            } else if (IsEcmaLetterEscape(d, inClass)) {
                emit(pattern.substr(i, 2), i);
            } else {
                emit(pattern.substr(i + 1, 1), i);
            }
            i += 2;
            continue;
        }
        if (inClass) {
            if (c == ']')
                inClass = false;
            emit(c == '[' ? std::string_view("\\[") : pattern.substr(i, 1), i);
        } else if (c == '[') {
            // "[]" and "[^]" are an empty class and any character (PCRE2_ALLOW_EMPTY_CLASS),
            // so a "]" always closes, as in ECMAScript.
            inClass = true;
            emit("[", i);
            if (i + 1 < pattern.size() && pattern[i + 1] == '^') {
                emit("^", i + 1);
                ++i;
            }
        } else if (c == '.') {
            emit(kAnyButLineTerminator, i);
        } else {
            emit(pattern.substr(i, 1), i);
        }
        ++i;
    }
    sourceOffsets.push_back(pattern.size());
    return out;
}

void AppendEcmaSubstitution(std::string& out, std::string_view replacement,
                            std::string_view subject, const std::size_t* ovector, int groupCount)
{
    const std::size_t matchStart = ovector[0];
    const std::size_t matchEnd = ovector[1];
    auto appendGroup = [&](int n) {
        const std::size_t start = ovector[2 * n];
        const std::size_t end = ovector[2 * n + 1];
        if (start != kUnsetOffset && end != kUnsetOffset && start <= end)
            out.append(subject.substr(start, end - start));
    };

    std::size_t i = 0;
    while (i < replacement.size()) {
        const char c = replacement[i];
        if (c != '$' || i + 1 == replacement.size()) {
            out += c;
            ++i;
            continue;
        }
        const char d = replacement[i + 1];
        if (d == '$') {
            out += '$';
        } else if (d == '&') {
            out.append(subject.substr(matchStart, matchEnd - matchStart));
        } else if (d == '`') {
            out.append(subject.substr(0, matchStart));
        } else if (d == '\'') {
            out.append(subject.substr(matchEnd));
        } else if (IsDigit(d)) {
            const int one = d - '0';
            if (i + 2 < replacement.size() && IsDigit(replacement[i + 2])) {
                const int two = one * 10 + (replacement[i + 2] - '0');
                if (two >= 1 && two <= groupCount) {
                    appendGroup(two);
                    i += 3;
                    continue;
                }
            }
            if (one >= 1 && one <= groupCount) {
                appendGroup(one);
            } else {
                out += '$';
                ++i;
                continue;
            }
        } else {
            out += '$';
            ++i;
            continue;
        }
        i += 2;
    }
}
