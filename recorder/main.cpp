// zento-fm-rec: records a gauge's on-line run without a window, for test benches and scripts.
#include "recorder/Recorder.h"
#include "recorder/RecorderGroup.h"
#include "recorder/RecorderOptions.h"
#include "state/TerminationSignals.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace {

template <typename Run> int Exec(QCoreApplication& app, Run& run) {
    QObject::connect(&run, &Run::Finished, &app, [](int code) { QCoreApplication::exit(code); });
    OnTerminationSignal([&run] { run.RequestStop(); });
    QTimer::singleShot(0, &run, &Run::Start);
    return app.exec();
}

} // namespace

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
    if (parsed.Options->Gauges.size() > 1) {
        RecorderGroup group(*parsed.Options);
        return Exec(app, group);
    }
    Recorder recorder(*parsed.Options);
    return Exec(app, recorder);
}
