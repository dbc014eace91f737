// The widget boundary of the text codec, kept apart so that code using only the 8-bit/UTF-8
// conversions links without Qt.
#include "toolkit/TextCodec.h"

#include <QString>

QString GbToQString(const std::string& gbText)
{
    const std::string utf8 = GbToUtf8(gbText);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string QStringToGb(const QString& text)
{
    return Utf8ToGb(text.toStdString());
}
