#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The single-byte text of data files: the Central European code page, which holds the
// Polish and the German letters. Bytes the code page leaves undefined come back as the
// control characters of the same number, so that any file read and written again keeps
// its bytes.
namespace CodePage1250 {

QString Decode(QByteArrayView bytes);
// Characters the code page cannot hold become "?".
QByteArray Encode(QStringView text);

} // namespace CodePage1250
