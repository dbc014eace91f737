#pragma once
// The places where ECMAScript's regular-expression dialect and PCRE2's part ways, bridged on
// UTF-8 text. Used by TRegExp; kept apart so the rules can be read (and tested) on their own.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// An ovector entry of a group that took no part in the match (PCRE2's PCRE2_UNSET).
inline constexpr std::size_t kUnsetOffset = ~static_cast<std::size_t>(0);

// Rewrites an ECMAScript pattern into one PCRE2 reads the same way, given the compile options
// TRegExp uses (UTF, ALT_BSUX, ALLOW_EMPTY_CLASS, DOLLAR_ENDONLY, MATCH_UNSET_BACKREF):
//   "."             -> any character but \n, \r, U+2028, U+2029
//   \v              -> vertical tab only (PCRE2 reads a class of vertical white space)
//   \<letter> that ECMAScript does not know (\A, \Q, \K, \z, ...) -> the letter itself
//   \c not followed by a letter -> a backslash and "c"
//   "[" inside a class -> a plain "[" (PCRE2 would start a POSIX class such as [:alpha:])
// sourceOffsets receives, for every byte of the result and one past its end, the byte offset in
// `pattern` it came from, so that an error offset can be reported against the user's text.
std::string EcmaPatternToPcre2(std::string_view pattern, std::vector<std::size_t>& sourceOffsets);

// Appends `replacement` to `out` with ECMAScript's substitutions for one match: $$, $&, $`, $',
// $n and $nn. ovector holds groupCount + 1 pairs of byte offsets into subject (pair 0 is the
// match). $nn takes two digits only when group nn exists, else $n takes one; a reference to a
// group the pattern lacks stays literal, one that did not take part inserts nothing.
void AppendEcmaSubstitution(std::string& out, std::string_view replacement,
                            std::string_view subject, const std::size_t* ovector, int groupCount);
