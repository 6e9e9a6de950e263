// zento-fm-rec: records a gauge's on-line run without a window, for test benches and scripts.
#include "recorder/Recorder.h"
#include "recorder/RecorderOptions.h"
#include "state/TerminationSignals.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zento-fm"));
    const RecorderArguments parsed = RecorderArguments::Parse(app.arguments());
    if (parsed.HelpShown) {
        std::fputs(qUtf8Printable(RecorderOptions::Usage()), stdout);
        return RecorderExit::Done;
    }
    if (!parsed.Options) {
        std::fprintf(stderr, "zento-fm-rec: %s\n%s", qUtf8Printable(parsed.Error),
                     qUtf8Printable(RecorderOptions::Usage()));
        return RecorderExit::Usage;
    }
    Recorder recorder(*parsed.Options);
    QObject::connect(&recorder, &Recorder::Finished, &app,
                     [](int code) { QCoreApplication::exit(code); });
    OnTerminationSignal([&recorder] { recorder.RequestStop(); });
    QTimer::singleShot(0, &recorder, &Recorder::Start);
    return app.exec();
}
