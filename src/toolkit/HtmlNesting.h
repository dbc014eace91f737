#pragma once
// Guard against markup that makes the tree builder slow to a crawl or blow up.
//
// gumbo checks element scope by walking the stack of open elements for most block start tags,
// so 100,000 unclosed <div> take minutes. Browsers cap the tree depth (Chromium at 512); we do
// the same before parsing: a light scan follows the open elements closely enough to know the
// depth, and leaves out the start tags (and their end tags) that would go past the limit.
// Their content stays, one level up.
//
// Formatting elements (<b>, <font>, ...) closed early by a block's end are reopened by the tree
// builder in every later block, so many different ones left open make the tree grow with the
// square of the text. When the scan sees that, the formatting tags are left out altogether:
// they only style the text. Markup within both limits passes unchanged.
#include <string>

inline constexpr int kMaxHtmlNesting = 512;
inline constexpr int kMaxReopenedFormatting = 16;

// `utf8` is HTML text. Returns true and sets `limited` when some tags had to be left out;
// returns false (and leaves `limited` alone) when the text is within the limits.
bool LimitHtmlNesting(const std::string& utf8, std::string& limited);
