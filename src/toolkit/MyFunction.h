#pragma once
// Taking web addresses apart, turning a link found on a page into an absolute address, and the
// one rule by which every text of the program is split at a one-byte delimiter and joined again.
//
// All texts are 8-bit text (GBK bytes; a byte 0x81-0xFE starts a two-byte character). Positions
// are 1-based byte positions. The engine stores these results as chapter keys and finds known
// chapters by them, so their results, odd ones included, must never change.
#include <string>
#include <vector>

// Splits at `delimiter`. Blanks (bytes 0x01-0x20) before an item are skipped; an item that starts
// with a double quote runs to the matching quote, with "" standing for one quote. A delimiter
// that is the last byte yields a final empty item. Bytes inside a two-byte character are never
// taken for a delimiter, quote or blank.
std::vector<std::string> SplitDelimited(const std::string& text, char delimiter);
// The inverse of SplitDelimited: items holding a byte 0x00-0x20, a double quote or the delimiter
// are quoted. A single empty item is written as "".
std::string JoinDelimited(const std::vector<std::string>& items, char delimiter);

// The 1-based position of the first `needle` that starts after the first `offset` bytes, or
// `offset` itself when there is none (so callers compare the result with what they passed).
// A negative offset searches the whole text.
int PosAfter(int offset, const std::string& text, const std::string& needle);

// The part between "://" (when present) and the next "/", port and user part included.
std::string UrlHost(const std::string& address);
// The absolute address of `link` found on the page at `pageAddress`, or "" when the link gives no
// usable address (empty, "about:blank", a bare site address, or climbing above the site root).
std::string ResolveLink(const std::string& link, const std::string& pageAddress);

// The text after the last "." ("html" for ".../123.html").
std::string UrlExtension(const std::string& address);
// The address before its last ".", followed by "_" (".../123_" for ".../123.html").
std::string UrlPagePrefix(const std::string& address);
// The last "/" segment of the address before its last "." ("123" for ".../123.html").
std::string UrlFileStem(const std::string& address);
