#include "toolkit/MyFunction.h"

#include <climits>

namespace {

bool IsBlank(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x01 && b <= 0x20;
}

// Bytes of the character that starts at `i`: a lead byte takes the next byte with it.
size_t CharLength(const std::string& text, size_t i)
{
    const auto b = static_cast<unsigned char>(text[i]);
    return (b >= 0x81 && b <= 0xFE && i + 1 < text.size()) ? 2 : 1;
}

bool NeedsQuotes(const std::string& item, char delimiter)
{
    for (size_t i = 0; i < item.size(); i += CharLength(item, i)) {
        const char c = item[i];
        if (static_cast<unsigned char>(c) <= 0x20 || c == '"' || c == delimiter)
            return true;
    }
    return false;
}

std::string Quoted(const std::string& item)
{
    std::string out = "\"";
    for (size_t i = 0; i < item.size();) {
        const size_t len = CharLength(item, i);
        if (item[i] == '"')
            out += '"';
        out.append(item, i, len);
        i += len;
    }
    out += '"';
    return out;
}

// Every occurrence, left to right; the result is not searched again.
std::string RemoveAll(const std::string& text, const std::string& what)
{
    std::string out;
    size_t from = 0;
    for (size_t at; (at = text.find(what, from)) != std::string::npos; from = at + what.size())
        out.append(text, from, at - from);
    out.append(text, from, std::string::npos);
    return out;
}

std::string FirstItem(const std::string& text, char delimiter)
{
    auto items = SplitDelimited(text, delimiter);
    return items.empty() ? std::string() : items.front();
}

std::string LastItem(const std::string& text, char delimiter)
{
    auto items = SplitDelimited(text, delimiter);
    return items.empty() ? std::string() : items.back();
}

} // namespace

std::vector<std::string> SplitDelimited(const std::string& text, char delimiter)
{
    std::vector<std::string> items;
    const size_t n = text.size();
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < n && IsBlank(text[i]))
            ++i;
    };

    skipBlanks();
    while (i < n) {
        std::string item;
        if (text[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                const size_t len = CharLength(text, i);
                item.append(text, i, len);
                i += len;
            }
            // An unclosed quote loses the last byte of the text, as it always has.
            if (!closed && !item.empty())
                item.pop_back();
        } else {
            const size_t start = i;
            while (i < n && text[i] != delimiter)
                i += CharLength(text, i);
            item.assign(text, start, i - start);
        }
        items.push_back(std::move(item));

        skipBlanks();
        if (i < n && text[i] == delimiter) {
            if (i + 1 == n)
                items.emplace_back();
            ++i;
            skipBlanks();
        }
    }
    return items;
}

std::string JoinDelimited(const std::vector<std::string>& items, char delimiter)
{
    if (items.empty())
        return {};
    if (items.size() == 1 && items.front().empty())
        return "\"\"";
    std::string out;
    for (const auto& item : items) {
        out += NeedsQuotes(item, delimiter) ? Quoted(item) : item;
        out += delimiter;
    }
    out.pop_back();
    return out;
}

int PosAfter(int offset, const std::string& text, const std::string& needle)
{
    const size_t from = offset < 0 ? 0 : static_cast<size_t>(offset);
    if (needle.empty() || from >= text.size())
        return offset;
    const size_t at = text.find(needle, from);
    if (at == std::string::npos || at >= static_cast<size_t>(INT_MAX))
        return offset;
    return static_cast<int>(at + 1);
}

std::string UrlHost(const std::string& address)
{
    std::string rest = address;
    const size_t scheme = rest.find("://");
    if (scheme != std::string::npos)
        rest.erase(0, scheme + 3);
    const size_t slash = rest.find('/');
    if (slash != std::string::npos)
        rest.resize(slash);
    return rest;
}

std::string ResolveLink(const std::string& link, const std::string& pageAddress)
{
    if (link.empty() || link == "about:blank")
        return {};
    // A page held as a blank document reports its relative links with these prefixes.
    std::string s = RemoveAll(RemoveAll(link, "about:blank"), "about:");

    const size_t scheme = s.find("://");
    if (scheme != std::string::npos) {
        std::string rest = s.substr(scheme + 3);
        const size_t slash = rest.find('/');
        if (slash == std::string::npos || slash + 1 == rest.size())
            return {};
        return link;
    }

    if (!s.empty() && s.front() == '/')
        return "http://" + UrlHost(pageAddress) + s;

    const std::string head = FirstItem(pageAddress, '?');
    std::vector<std::string> segments = SplitDelimited(head, '/');
    if (!segments.empty())
        segments.pop_back();

    if (s.starts_with("./"))
        return JoinDelimited(segments, '/') + "/" + s.substr(2);

    // Scheme, the empty segment after it and the host form the site root; no link climbs above it.
    const size_t rootSegments = head.find("://") != std::string::npos ? 3 : 1;
    while (s.starts_with("../")) {
        if (segments.size() <= rootSegments)
            return {};
        s.erase(0, 3);
        segments.pop_back();
    }
    return JoinDelimited(segments, '/') + "/" + s;
}

std::string UrlExtension(const std::string& address)
{
    return LastItem(address, '.');
}

std::string UrlPagePrefix(const std::string& address)
{
    std::vector<std::string> items = SplitDelimited(address, '.');
    if (!items.empty())
        items.pop_back();
    return JoinDelimited(items, '.') + "_";
}

std::string UrlFileStem(const std::string& address)
{
    std::string prefix = UrlPagePrefix(address);
    prefix.pop_back();
    return LastItem(prefix, '/');
}
