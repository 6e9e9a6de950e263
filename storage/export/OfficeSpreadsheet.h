#pragma once

#include "storage/export/Spreadsheet.h"

#include <QString>

#include <chrono>
#include <memory>
#include <optional>

// LibreOffice Calc reached over a UNO connection that the user's running office accepts
// (soffice --calc --accept="pipe,name=zento-fm;urp;"). Nothing is contacted before Attach;
// a call the office does not answer fails after the answer time-out instead of holding the
// caller. Built without the UNO development files, Attach always fails.
class OfficeSpreadsheet final : public Spreadsheet {
public:
    static constexpr auto DefaultUrl = "uno:pipe,name=zento-fm;urp;StarOffice.ComponentContext";
    // Names another UNO URL to reach the office by (tests, or an office on a socket).
    static constexpr auto UrlVariable = "ZENTO_FM_OFFICE_URL";
    static constexpr std::chrono::milliseconds DefaultAnswerTimeout{5000};

    explicit OfficeSpreadsheet(QString url = ConfiguredUrl(),
                               std::chrono::milliseconds answerTimeout = DefaultAnswerTimeout);
    ~OfficeSpreadsheet() override;

    OfficeSpreadsheet(const OfficeSpreadsheet&) = delete;
    OfficeSpreadsheet& operator=(const OfficeSpreadsheet&) = delete;

    // The URL in UrlVariable, else DefaultUrl.
    static QString ConfiguredUrl();
    // False when the program was built without UNO.
    static bool Available();

    QString Url() const { return m_url; }
    // What went wrong last, in the office's words; for diagnostics only.
    QString LastError() const { return m_lastError; }

    bool Attach() override;
    bool OpenActiveDocument() override;
    bool OpenFirstSheet() override;
    bool SetText(int row, int column, const QString& text) override;
    bool SetNumber(int row, int column, double value) override;
    qsizetype SetNumbers(int row, int column, int columns, std::span<const double> values) override;
    void Release() override;

    // One cell of the open sheet as the office holds it, for reading an export back.
    struct Cell {
        enum class Kind { Empty, Number, Text, Formula };
        Kind Type = Kind::Empty;
        double Number = 0.0;
        QString Text;
    };
    std::optional<Cell> ReadCell(int row, int column);

    class Connection;

private:
    QString m_url;
    std::chrono::milliseconds m_answerTimeout;
    QString m_lastError;
    std::unique_ptr<Connection> m_connection;
};
