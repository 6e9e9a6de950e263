// The spreadsheet backend over UNO: a bridge to the office's component context, the desktop's
// current component as the document, its first sheet as the target of the cell writes.
//
// The office headers come first: Qt's keyword macros must not reach them.
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/XConnection.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/unourl.hxx>
#include <rtl/malformeduriexception.hxx>
#include <rtl/ustring.hxx>

#include "storage/export/OfficeSpreadsheet.h"

#include <QByteArray>
#include <QtGlobal>

#include <condition_variable>
#include <csignal>
#include <ctime>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include <pthread.h>
#include <signal.h>

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

rtl::OUString ToOffice(const QString& text) {
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()),
                         sal_Int32(text.size()));
}

QString FromOffice(const rtl::OUString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getStr()), text.getLength());
}

// Cells are addressed from 1 here and from 0 in the office.
bool ValidCell(int row, int column) {
    return row >= 1 && column >= 1;
}

// The local UNO environment, bootstrapped at the first export and kept for the rest of the
// process (it is never torn down: the office libraries do not take kindly to that at exit).
Reference<css::uno::XComponentContext> LocalContext(QString& error) {
    static std::mutex mutex;
    static Reference<css::uno::XComponentContext>* context = nullptr;
    const std::lock_guard lock(mutex);
    if (context)
        return *context;
    qputenv("URE_BOOTSTRAP", QByteArray("vnd.sun.star.pathname:" ZFM_UNO_FUNDAMENTALRC));
    try {
        context = new Reference<css::uno::XComponentContext>(
            cppu::defaultBootstrap_InitialComponentContext());
        return *context;
    } catch (const css::uno::Exception& e) {
        error = QStringLiteral("UNO bootstrap: ") + FromOffice(e.Message);
    } catch (...) {
        error = QStringLiteral("UNO bootstrap failed");
    }
    return {};
}

// The bridge writes to the office's pipe with plain send(), so an office that goes away
// during an export raises SIGPIPE in the writing thread, which would end this program. The
// signal is blocked in the calling thread while it talks to the office (the bridge's own
// threads, started meanwhile, inherit the blocked mask), and one raised in the meantime is
// taken off before the old mask returns. The process-wide disposition is left alone.
class BrokenPipeShield {
public:
    BrokenPipeShield() {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
    }
    ~BrokenPipeShield() {
        if (sigismember(&m_previous, SIGPIPE))
            return;
        sigset_t pending;
        if (sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE)) {
            const timespec now{};
            sigtimedwait(&m_pipe, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    BrokenPipeShield(const BrokenPipeShield&) = delete;
    BrokenPipeShield& operator=(const BrokenPipeShield&) = delete;

private:
    sigset_t m_pipe{};
    sigset_t m_previous{};
};

} // namespace

// One attachment to the office. Every call to the office runs under a watchdog: a call that has
// not come back within the answer time-out closes the connection, which makes the bridge fail
// that call (and every later one) instead of leaving the user interface waiting.
class OfficeSpreadsheet::Connection {
public:
    Connection(std::chrono::milliseconds answerTimeout, QString& error)
        : m_answerTimeout(answerTimeout)
        , m_error(error)
        , m_watchdog([this] { Watch(); }) {}

    ~Connection() {
        Close();
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        m_watchdog.join();
    }

    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool Attach(const QString& url) {
        const Reference<css::uno::XComponentContext> local = LocalContext(m_error);
        if (!local.is())
            return false;
        return Call("attach", [&] {
            const cppu::UnoUrl parsed(ToOffice(url));
            const Reference<css::connection::XConnection> link =
                css::connection::Connector::create(local)->connect(
                    parsed.getConnection().getDescriptor());
            {
                const std::lock_guard lock(m_mutex);
                m_link = link;
            }
            m_bridge = css::bridge::BridgeFactory::create(local)->createBridge(
                rtl::OUString(), parsed.getProtocol().getDescriptor(), link, nullptr);
            m_remote.set(m_bridge->getInstance(parsed.getObjectName()), UNO_QUERY_THROW);
            m_desktop = css::frame::Desktop::create(m_remote);
        });
    }

    bool OpenActiveDocument() {
        return m_desktop.is() && Call("document", [&] {
                   m_document.set(m_desktop->getCurrentComponent(), UNO_QUERY);
                   if (!m_document.is())
                       throw css::uno::RuntimeException("the active document is not a spreadsheet");
               });
    }

    bool OpenFirstSheet() {
        return m_document.is() && Call("sheet", [&] {
                   const Reference<css::container::XIndexAccess> sheets(m_document->getSheets(),
                                                                        UNO_QUERY_THROW);
                   m_sheet.set(sheets->getByIndex(0), UNO_QUERY_THROW);
               });
    }

    bool SetText(int row, int column, const QString& text) {
        return m_sheet.is() && ValidCell(row, column) && Call("text", [&] {
                   const Reference<css::text::XText> cell(
                       m_sheet->getCellByPosition(column - 1, row - 1), UNO_QUERY_THROW);
                   cell->setString(ToOffice(text));
               });
    }

    bool SetNumber(int row, int column, double value) {
        return m_sheet.is() && ValidCell(row, column) && Call("number", [&] {
                   m_sheet->getCellByPosition(column - 1, row - 1)->setValue(value);
               });
    }

    // One range write for the whole block; all or nothing, as the office takes it.
    qsizetype SetNumbers(int row, int column, int columns, std::span<const double> values) {
        if (!m_sheet.is() || !ValidCell(row, column) || columns <= 0 || values.empty() ||
            values.size() % std::size_t(columns) != 0)
            return 0;
        const qint64 rows = qint64(values.size()) / columns;
        if (rows > std::numeric_limits<sal_Int32>::max() ||
            qint64(row) - 1 + rows - 1 > std::numeric_limits<sal_Int32>::max() ||
            qint64(column) - 1 + columns - 1 > std::numeric_limits<sal_Int32>::max())
            return 0;
        const auto rowCount = sal_Int32(rows);
        css::uno::Sequence<css::uno::Sequence<css::uno::Any>> data(rowCount);
        auto* lines = data.getArray();
        const double* next = values.data();
        for (sal_Int32 r = 0; r < rowCount; ++r) {
            css::uno::Sequence<css::uno::Any> line(columns);
            auto* cells = line.getArray();
            for (int c = 0; c < columns; ++c)
                cells[c] <<= *next++;
            lines[r] = std::move(line);
        }
        const bool written = Call("block", [&] {
            const Reference<css::sheet::XCellRangeData> range(
                m_sheet->getCellRangeByPosition(column - 1, row - 1, column - 1 + columns - 1,
                                                row - 1 + rowCount - 1),
                UNO_QUERY_THROW);
            range->setDataArray(data);
        });
        return written ? qsizetype(values.size()) : 0;
    }

    std::optional<Cell> ReadCell(int row, int column) {
        Cell content;
        const bool read =
            m_sheet.is() && ValidCell(row, column) && Call("read", [&] {
                const Reference<css::table::XCell> cell =
                    m_sheet->getCellByPosition(column - 1, row - 1);
                switch (cell->getType()) {
                case css::table::CellContentType_VALUE:
                    content.Type = Cell::Kind::Number;
                    content.Number = cell->getValue();
                    break;
                case css::table::CellContentType_TEXT:
                    content.Type = Cell::Kind::Text;
                    content.Text =
                        FromOffice(Reference<css::text::XText>(cell, UNO_QUERY_THROW)->getString());
                    break;
                case css::table::CellContentType_FORMULA:
                    content.Type = Cell::Kind::Formula;
                    content.Text = FromOffice(cell->getFormula());
                    content.Number = cell->getValue();
                    break;
                default:
                    content.Type = Cell::Kind::Empty;
                    break;
                }
            });
        return read ? std::optional<Cell>(content) : std::nullopt;
    }

    // Lets go of the sheet, the document and the desktop, in that order, then of the bridge;
    // whatever fails here is of no consequence to the office or to us.
    void Close() {
        const BrokenPipeShield shield;
        Arm();
        try {
            m_sheet.clear();
            m_document.clear();
            m_desktop.clear();
            m_remote.clear();
            if (const Reference<css::lang::XComponent> bridge{m_bridge, UNO_QUERY}; bridge.is())
                bridge->dispose();
        } catch (...) {
        }
        Disarm();
        m_bridge.clear();
        const std::lock_guard lock(m_mutex);
        m_link.clear();
    }

private:
    template <typename Step> bool Call(const char* what, Step&& step) {
        if (m_silent)
            return false;
        const BrokenPipeShield shield;
        Arm();
        bool done = false;
        try {
            step();
            done = true;
        } catch (const css::uno::Exception& e) {
            m_error = QString::fromLatin1(what) + QStringLiteral(": ") + FromOffice(e.Message);
        } catch (const rtl::MalformedUriException& e) {
            m_error = QString::fromLatin1(what) + QStringLiteral(": ") + FromOffice(e.getMessage());
        } catch (const std::exception& e) {
            m_error =
                QString::fromLatin1(what) + QStringLiteral(": ") + QString::fromLocal8Bit(e.what());
        } catch (...) {
            m_error = QString::fromLatin1(what) + QStringLiteral(": failed");
        }
        if (Disarm()) {
            // Whatever came back after the connection was cut does not count.
            m_silent = true;
            m_error = QString::fromLatin1(what) + QStringLiteral(": the office did not answer");
            return false;
        }
        return done;
    }

    void Arm() {
        {
            const std::lock_guard lock(m_mutex);
            m_deadline = std::chrono::steady_clock::now() + m_answerTimeout;
        }
        m_wake.notify_all();
    }

    // True when the watchdog cut the connection during the call.
    bool Disarm() {
        const std::lock_guard lock(m_mutex);
        m_deadline.reset();
        return std::exchange(m_expired, false);
    }

    void Watch() {
        std::unique_lock lock(m_mutex);
        while (!m_stopping) {
            if (!m_deadline) {
                m_wake.wait(lock);
                continue;
            }
            const auto deadline = *m_deadline;
            if (m_wake.wait_until(lock, deadline) == std::cv_status::no_timeout)
                continue;
            if (!m_deadline || *m_deadline != deadline)
                continue;
            m_deadline.reset();
            m_expired = true;
            const Reference<css::connection::XConnection> link = m_link;
            lock.unlock();
            try {
                if (link.is())
                    link->close();
            } catch (...) {
            }
            lock.lock();
        }
    }

    const std::chrono::milliseconds m_answerTimeout;
    QString& m_error;
    bool m_silent = false;

    Reference<css::bridge::XBridge> m_bridge;
    Reference<css::uno::XComponentContext> m_remote;
    Reference<css::frame::XDesktop2> m_desktop;
    Reference<css::sheet::XSpreadsheetDocument> m_document;
    Reference<css::sheet::XSpreadsheet> m_sheet;

    // Shared with the watchdog.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<std::chrono::steady_clock::time_point> m_deadline;
    bool m_expired = false;
    bool m_stopping = false;
    Reference<css::connection::XConnection> m_link;
    std::thread m_watchdog;
};

OfficeSpreadsheet::OfficeSpreadsheet(QString url, std::chrono::milliseconds answerTimeout)
    : m_url(std::move(url))
    , m_answerTimeout(answerTimeout) {}

OfficeSpreadsheet::~OfficeSpreadsheet() {
    Release();
}

bool OfficeSpreadsheet::Available() {
    return true;
}

bool OfficeSpreadsheet::Attach() {
    Release();
    m_lastError.clear();
    m_connection = std::make_unique<Connection>(m_answerTimeout, m_lastError);
    return m_connection->Attach(m_url);
}

bool OfficeSpreadsheet::OpenActiveDocument() {
    return m_connection && m_connection->OpenActiveDocument();
}

bool OfficeSpreadsheet::OpenFirstSheet() {
    return m_connection && m_connection->OpenFirstSheet();
}

bool OfficeSpreadsheet::SetText(int row, int column, const QString& text) {
    return m_connection && m_connection->SetText(row, column, text);
}

bool OfficeSpreadsheet::SetNumber(int row, int column, double value) {
    return m_connection && m_connection->SetNumber(row, column, value);
}

qsizetype OfficeSpreadsheet::SetNumbers(int row, int column, int columns,
                                        std::span<const double> values) {
    return m_connection ? m_connection->SetNumbers(row, column, columns, values) : 0;
}

void OfficeSpreadsheet::Release() {
    m_connection.reset();
}

std::optional<OfficeSpreadsheet::Cell> OfficeSpreadsheet::ReadCell(int row, int column) {
    return m_connection ? m_connection->ReadCell(row, column) : std::nullopt;
}
