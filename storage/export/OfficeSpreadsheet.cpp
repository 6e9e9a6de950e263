#include "storage/export/OfficeSpreadsheet.h"

#include <QtGlobal>

QString OfficeSpreadsheet::ConfiguredUrl() {
    const QString url = qEnvironmentVariable(UrlVariable).trimmed();
    return url.isEmpty() ? QString::fromLatin1(DefaultUrl) : url;
}
