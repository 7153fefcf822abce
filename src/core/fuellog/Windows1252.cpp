#include "core/fuellog/Windows1252.h"

namespace {
// The characters of bytes 0x80 to 0x9F; the others are those of ISO 8859-1.
const char16_t High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int byteOf(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (High[i] == u)
            return 0x80 + i;
    return -1;
}
} // namespace

namespace Windows1252 {

QString Decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar c = uchar(bytes[i]);
        out[i] = c >= 0x80 && c < 0xA0 ? QChar(High[c - 0x80]) : QChar(c);
    }
    return text;
}

QByteArray Encode(QStringView text, bool *ok)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    bool all = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = byteOf(text[i].unicode());
        all = all && b >= 0;
        bytes[i] = char(b >= 0 ? b : '?');
    }
    if (ok)
        *ok = all;
    return bytes;
}

} // namespace Windows1252
