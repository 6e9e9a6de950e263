#include "link/CaptureReplay.h"

#include "link/CaptureFile.h"
#include "protocol/ProcessData.h"

#include <QFile>

namespace CaptureReplay {

namespace {
constexpr qint64 ReadBlock = 1 << 20;
}

bool ForEachSample(const QString& path, const std::function<void(double)>& onSample) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Lines end at CR, LF or CR LF; a block boundary may cut a line, which then waits.
    QByteArray pending;
    const auto takeLine = [&onSample](QByteArrayView line) {
        if (const std::optional<double> value = ProcessData::ParseCaptureLine(line))
            onSample(*value);
    };
    for (;;) {
        const QByteArray block = file.read(ReadBlock);
        if (block.isEmpty())
            break;
        pending.append(block);
        qsizetype start = 0;
        for (qsizetype i = 0; i < pending.size(); ++i) {
            const char c = pending[i];
            if (c != '\r' && c != '\n')
                continue;
            takeLine(QByteArrayView(pending).sliced(start, i - start));
            if (c == '\r' && i + 1 < pending.size() && pending[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        pending.remove(0, start);
    }
    if (!pending.isEmpty())
        takeLine(pending);
    return file.error() == QFileDevice::NoError;
}

void ReplayRun(CaptureFile& capture, const std::function<void(double)>& onSample) {
    const bool written = capture.Finish();
    if (capture.FileHoldsThisRun())
        ForEachSample(capture.Path(), onSample);
    if (!written) {
        // What the disk would not take is still in memory, after what it took.
        const QList<QByteArray> lines = capture.Buffer().split('\n');
        for (QByteArray line : lines) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (const std::optional<double> value = ProcessData::ParseCaptureLine(line))
                onSample(*value);
        }
    }
    capture.ClearBuffer();
}

} // namespace CaptureReplay
