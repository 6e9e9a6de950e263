#include "GaugeConfig.h"
#include "VirtualGauge.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zento-fm-gauge"));
    int exitCode = 0;
    const auto config = ParseCommandLine(QCoreApplication::arguments(), &exitCode);
    if (!config)
        return exitCode;
    VirtualGauge gauge(*config);
    QString error;
    if (!gauge.Start(&error)) {
        QTextStream(stderr) << "zento-fm-gauge: " << error << "\n";
        return 1;
    }
    return QCoreApplication::exec();
}
