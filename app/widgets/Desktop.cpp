#include "app/widgets/Desktop.h"

#include <QDesktopServices>

namespace {

class RealDesktop final : public DesktopOpener {
public:
    bool Open(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

RealDesktop g_realDesktop;
DesktopOpener* g_opener = &g_realDesktop;

} // namespace

bool OpenWithDesktop(const QUrl& url) {
    return g_opener->Open(url);
}

DesktopOpener* SetDesktopOpener(DesktopOpener* opener) {
    DesktopOpener* previous = g_opener == &g_realDesktop ? nullptr : g_opener;
    g_opener = opener ? opener : &g_realDesktop;
    return previous;
}
