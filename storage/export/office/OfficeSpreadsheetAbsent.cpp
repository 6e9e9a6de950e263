// The spreadsheet backend of a build without the UNO development files: nothing can be
// reached, so every export ends with the message that asks for the spreadsheet program.
#include "storage/export/OfficeSpreadsheet.h"

#include <utility>

class OfficeSpreadsheet::Connection {};

OfficeSpreadsheet::OfficeSpreadsheet(QString url, std::chrono::milliseconds answerTimeout)
    : m_url(std::move(url))
    , m_answerTimeout(answerTimeout)
    , m_lastError(QStringLiteral("built without LibreOffice UNO support")) {}

OfficeSpreadsheet::~OfficeSpreadsheet() = default;

bool OfficeSpreadsheet::Available() {
    return false;
}

bool OfficeSpreadsheet::Attach() {
    return false;
}
bool OfficeSpreadsheet::OpenActiveDocument() {
    return false;
}
bool OfficeSpreadsheet::OpenFirstSheet() {
    return false;
}
bool OfficeSpreadsheet::SetText(int, int, const QString&) {
    return false;
}
bool OfficeSpreadsheet::SetNumber(int, int, double) {
    return false;
}
qsizetype OfficeSpreadsheet::SetNumbers(int, int, int, std::span<const double>) {
    return 0;
}
void OfficeSpreadsheet::Release() {}

std::optional<OfficeSpreadsheet::Cell> OfficeSpreadsheet::ReadCell(int, int) {
    return std::nullopt;
}
