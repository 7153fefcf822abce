#pragma once
// The Windows-1252 code page of the vehicle list and of files older programs
// wrote, by our own table: no dependence on what codecs a Qt build carries,
// and quick enough to decode every string of a large file.
#include <QByteArrayView>
#include <QString>

namespace Windows1252 {
// Every byte has a character: the five bytes the code page leaves undefined
// stand for the control characters of the same number, as Windows reads them.
QString Decode(QByteArrayView bytes);
// A character the code page has no byte for becomes '?' and clears *ok.
QByteArray Encode(QStringView text, bool *ok = nullptr);
} // namespace Windows1252
