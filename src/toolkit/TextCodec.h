#pragma once
// The one place where text changes its encoding.
//
// Inside the program every text is a std::string of 8-bit text in GB18030: its one- and
// two-byte characters are exactly GBK's, and its four-byte forms carry what GBK lacks, so no
// character is ever lost. UTF-8 is used by the database and the HTML/regex engines; QString
// only at the widget boundary.
#include <string>

// Declared, not included: code that only converts between 8-bit text and UTF-8 stays free of Qt.
class QString;

// GB18030 bytes to UTF-8. A byte sequence that is not valid GB18030 becomes U+FFFD.
std::string GbToUtf8(const std::string& gbText);
// UTF-8 to GB18030 bytes. Bytes that are not valid UTF-8 are taken one by one as U+FFFD.
std::string Utf8ToGb(const std::string& utf8Text);

QString GbToQString(const std::string& gbText);
std::string QStringToGb(const QString& text);

// True when the bytes form valid UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool IsValidUtf8(const std::string& bytes);
