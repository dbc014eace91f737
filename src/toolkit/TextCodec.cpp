#include "toolkit/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace {

// A converter that lives for the thread; iconv descriptors are not safe to share.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from))
    {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts everything; on an undecodable byte appends `replacement` and skips that byte.
    std::string Convert(const std::string& input, const std::string& replacement)
    {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        out.reserve(input.size() * 3 / 2 + 16);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t rc = iconv(handle_, &in, &inLeft, &dst, &dstLeft);
            out.append(buffer, dst - buffer);
            if (rc != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ, or EINVAL for a truncated sequence at the end: replace one byte, go on.
            out += replacement;
            ++in;
            --inLeft;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        iconv(handle_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, dst - buffer);
        return out;
    }

private:
    iconv_t handle_;
};

bool IsAscii(const std::string& s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

}  // namespace

std::string GbToUtf8(const std::string& gbText)
{
    if (IsAscii(gbText))
        return gbText;
    thread_local Converter converter("UTF-8", "GB18030");
    return converter.Convert(gbText, "\xEF\xBF\xBD");
}

std::string Utf8ToGb(const std::string& utf8Text)
{
    if (IsAscii(utf8Text))
        return utf8Text;
    thread_local Converter converter("GB18030", "UTF-8");
    // U+FFFD in GB18030.
    return converter.Convert(utf8Text, "\x84\x31\xA4\x37");
}

bool IsValidUtf8(const std::string& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        unsigned int cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}
