// Reply assembly: framing of every exchange, fed whole and byte by byte.
#include "protocol/ProcessData.h"
#include "state/GaugeState.h"
#include "tests/support/FakeExchange.h"
#include "tests/support/RecordingMessages.h"

#include <QLocale>
#include <QTest>

namespace {

struct Outcome {
    QByteArray Buffer;
    QStringList Status;
    QStringList Orders;
    QString Caption;
    int Fresh = 0;
    int Ends = 0;
    QList<QPair<double, double>> Samples;
    int ResultsFiles = 0;
    QStringList Messages;
    ExchangeState State = ExchangeState::Confirming;

    bool operator==(const Outcome&) const = default;
};

void Prepare(ExchangeState state, std::uint8_t awaited, std::uint8_t family, bool running) {
    FirstGauge() = GaugeState{};
    FirstGauge().ExchangeState = state;
    FirstGauge().AwaitedReply = awaited;
    FirstGauge().DeviceFamily = family;
    FirstGauge().MeasurementRunning = running;
    FirstGauge().SampleTime = 0.5;
}

Outcome Run(const QList<QByteArray>& chunks, ExchangeState state, std::uint8_t awaited,
            std::uint8_t family = Family::Force, bool running = true) {
    Prepare(state, awaited, family, running);
    RecordingMessages messages;
    FakeExchange target;
    target.Settings.SetUnits({QStringLiteral("N"), QStringLiteral("kgf")});
    ProcessData& data = target.Data;
    for (const QByteArray& chunk : chunks)
        data.ProcessIncoming(chunk);
    return Outcome{data.IncomingBuffer(), target.StatusTexts,
                   target.OrderTexts(),   target.Settings.Reading(),
                   target.FreshMarks,     target.EndMeasurementCalls,
                   target.Samples,        target.ResultsFilesStarted,
                   messages.Texts(),      FirstGauge().ExchangeState};
}

QList<QByteArray> ByteByByte(const QByteArray& text) {
    QList<QByteArray> chunks;
    for (char c : text)
        chunks.append(QByteArray(1, c));
    return chunks;
}

// A display or family-0 stream line: sign, value right-aligned in 9 columns, space, unit.
QByteArray Reading(char sign, const char* value, const char* unit) {
    return QByteArray(1, sign) + QByteArray(value).rightJustified(9, ' ') + ' ' +
           QByteArray(unit).leftJustified(3, ' ') + "\r\n";
}

} // namespace

class TestProcessIncoming : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // Each case gives the same outcome fed whole and byte by byte, unless it is one that
    // depends on what arrives in one receive event.
    void framing_data();
    void framing();
    void perCallRules_data();
    void perCallRules();

    void boundDropsOldestTextUpToLineEnd();
    void boundKeepsGarbageWithoutLineEndsBounded();
    void streamEndAlwaysMakesProgress();
    void textDuringABoxIsReadInAPassOfItsOwn();
    void textWhileABoxIsUpIsBounded();
};

void TestProcessIncoming::framing_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("awaited");
    QTest::addColumn<int>("family");
    QTest::addColumn<QByteArray>("buffer");
    QTest::addColumn<QStringList>("status");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("samples");

    const int confirming = int(ExchangeState::Confirming);
    const int display = int(ExchangeState::ReadingDisplay);
    const int streaming = int(ExchangeState::Streaming);

    QTest::newRow("confirmation") << QByteArray("MT\r\n") << confirming << int(Reply::Tare) << 0
                                  << QByteArray() << QStringList{"Siłomierz wyzerowany"} << "0 g"
                                  << 0;
    QTest::newRow("confirmation waits for CR LF")
        << QByteArray("Mu") << confirming << int(Reply::Unit) << 0 << QByteArray("Mu")
        << QStringList{} << "0 g" << 0;
    QTest::newRow("code without marker drops lines")
        << QByteArray("MT\r\nabc\r\n") << confirming << int(Reply::DisplayPoll) << 0 << QByteArray()
        << QStringList{} << "0 g" << 0;
    QTest::newRow("on/off: MS0 tested first")
        << QByteArray("MS1 MS0\r\n") << confirming << int(Reply::OnOff) << 0 << QByteArray()
        << QStringList{"Siłomierz wyłączony"} << "0 g" << 0;
    QTest::newRow("display reading")
        << Reading('-', "12.345", "N") << display << int(Reply::DisplayPoll) << 0 << QByteArray()
        << QStringList{"Wynik odczytany"} << "-12.345 N" << 0;
    QTest::newRow("display reading without space at 11")
        << QByteArray("-   12.345XN  \r\n") << display << int(Reply::DisplayPoll) << 0
        << QByteArray() << QStringList{} << "0 g" << 0;
    QTest::newRow("display: value that is not a number")
        << Reading(' ', "12.3.4", "N") << display << int(Reply::DisplayPoll) << 0 << QByteArray()
        << QStringList{} << "0 g" << 0;
    QTest::newRow("stream family 0")
        << (Reading(' ', "1.5", "N") + Reading('-', "2.5", "N")) << streaming << 24 << 0
        << QByteArray() << QStringList{"Wynik odczytany", "Wynik odczytany"} << "-2.5 N" << 2;
    QTest::newRow("stream family 0, extra text in front")
        << ("#junk#" + Reading(' ', "7.25", "kg")) << streaming << 24 << 0 << QByteArray()
        << QStringList{"Wynik odczytany"} << " 7.25 kg" << 1;
    QTest::newRow("stream family 1") << QByteArray(" 012.34\r\n-001.50\r\n") << streaming << 24 << 1
                                     << QByteArray() << QStringList{} << "0 g" << 2;
    QTest::newRow("stream family 2, partial tail waits")
        << QByteArray(" 012.34\r\n-00") << streaming << 24 << 2 << QByteArray("-00")
        << QStringList{} << "0 g" << 1;
    QTest::newRow("raw capture keeps text") << QByteArray("abc\r\n") << 5 << 0 << 0
                                            << QByteArray("abc\r\n") << QStringList{} << "0 g" << 0;
    QTest::newRow("unknown state keeps text")
        << QByteArray("abc\r\n") << 77 << 0 << 0 << QByteArray("abc\r\n") << QStringList{} << "0 g"
        << 0;
}

void TestProcessIncoming::framing() {
    QFETCH(QByteArray, input);
    QFETCH(int, state);
    QFETCH(int, awaited);
    QFETCH(int, family);
    QFETCH(QByteArray, buffer);
    QFETCH(QStringList, status);
    QFETCH(QString, caption);
    QFETCH(int, samples);

    const auto exchange = static_cast<ExchangeState>(state);
    const Outcome whole = Run({input}, exchange, std::uint8_t(awaited), std::uint8_t(family));
    QCOMPARE(whole.Buffer, buffer);
    QCOMPARE(whole.Status, status);
    QCOMPARE(whole.Caption, caption);
    QCOMPARE(whole.Samples.size(), samples);

    const Outcome split =
        Run(ByteByByte(input), exchange, std::uint8_t(awaited), std::uint8_t(family));
    QCOMPARE(split, whole);
}

// Cases whose result depends on what one receive event holds.
void TestProcessIncoming::perCallRules_data() {
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("family");
    QTest::addColumn<QByteArray>("buffer");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("samples");
    QTest::addColumn<QStringList>("status");
    QTest::addColumn<int>("awaited");

    const int confirming = int(ExchangeState::Confirming);
    const int display = int(ExchangeState::ReadingDisplay);
    const int streaming = int(ExchangeState::Streaming);
    const QByteArray first = Reading(' ', "1.5", "N");
    const QByteArray second = Reading(' ', "2.5", "N");

    QTest::newRow("two readings: one now, one at the next event")
        << QList<QByteArray>{first + second} << display << 0 << second << " 1.5 N" << 0
        << QStringList{"Wynik odczytany"} << int(Reply::StreamOn);
    QTest::newRow("second reading shown at the next event")
        << QList<QByteArray>{first + second, QByteArray()} << display << 0 << QByteArray()
        << " 2.5 N" << 0 << QStringList{"Wynik odczytany", "Wynik odczytany"}
        << int(Reply::StreamOn);
    QTest::newRow("refusal keeps the text")
        << QList<QByteArray>{"MQ\r\n"} << display << 0 << QByteArray("MQ\r\n") << "0 g" << 0
        << QStringList{"Nie można wykonać rozkazu"} << int(Reply::StreamOn);
    QTest::newRow("short lines go, the reading behind them is read")
        << QList<QByteArray>{"abc\r\n 012.50\r\n" + first} << display << 0 << QByteArray()
        << " 1.5 N" << 0 << QStringList{"Wynik odczytany"} << int(Reply::StreamOn);
    QTest::newRow("long lines that are no reading go, the reading behind them is read")
        << QList<QByteArray>{"-   12.345XN  \r\n#noise#noise#noise#noise\r\n" + first + second}
        << display << 0 << second << " 1.5 N" << 0 << QStringList{"Wynik odczytany"}
        << int(Reply::StreamOn);
    QTest::newRow("short lines go, an incomplete reading waits")
        << QList<QByteArray>{"abc\r\n" + first.left(9)} << display << 0 << first.left(9) << "0 g"
        << 0 << QStringList{} << int(Reply::StreamOn);
    QTest::newRow("stream: short line stops the call")
        << QList<QByteArray>{"123456789012\r\n" + first} << streaming << 0 << first << "0 g" << 0
        << QStringList{} << int(Reply::StreamOn);
    QTest::newRow("stream: following line handled at the next event")
        << QList<QByteArray>{"123456789012\r\n" + first, QByteArray()} << streaming << 0
        << QByteArray() << " 1.5 N" << 1 << QStringList{"Wynik odczytany"} << int(Reply::StreamOn);
    QTest::newRow("stream: Mnewfile, then lines wait")
        << QList<QByteArray>{"Mnewfile\r\n" + first} << streaming << 0 << first << "0 g" << 0
        << QStringList{} << int(Reply::StreamOn);
    QTest::newRow("marker of the second line found while the first is handled")
        << QList<QByteArray>{"xx\r\nMH\r\n"} << confirming << 0 << QByteArray() << "0 g" << 0
        << QStringList{"Górny próg ustawiony", "Górny próg ustawiony"} << int(Reply::HighThreshold);
}

void TestProcessIncoming::perCallRules() {
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(int, state);
    QFETCH(int, family);
    QFETCH(QByteArray, buffer);
    QFETCH(QString, caption);
    QFETCH(int, samples);
    QFETCH(QStringList, status);
    QFETCH(int, awaited);

    const Outcome outcome =
        Run(chunks, static_cast<ExchangeState>(state), std::uint8_t(awaited), std::uint8_t(family));
    QCOMPARE(outcome.Buffer, buffer);
    QCOMPARE(outcome.Caption, caption);
    QCOMPARE(outcome.Samples.size(), samples);
    QCOMPARE(outcome.Status, status);
}

void TestProcessIncoming::boundDropsOldestTextUpToLineEnd() {
    Prepare(ExchangeState::RawCapture, 0, 0, false);
    FakeExchange target;
    ProcessData& data = target.Data;
    const QByteArray line = QByteArray(99, 'x') + '\n';
    for (int i = 0; i < 1000; ++i)
        data.ProcessIncoming(line);
    const QByteArray kept = data.IncomingBuffer();
    QVERIFY(kept.size() <= ProcessData::IncomingLimit);
    QVERIFY(kept.size() > ProcessData::IncomingLimit - 100);
    QVERIFY(kept.startsWith(line)); // whole lines only
}

void TestProcessIncoming::boundKeepsGarbageWithoutLineEndsBounded() {
    for (const ExchangeState state :
         {ExchangeState::Confirming, ExchangeState::ReadingDisplay, ExchangeState::ReadingSettings,
          ExchangeState::Streaming, ExchangeState::Downloading, ExchangeState::RawCapture}) {
        Prepare(state, Reply::StreamOff, 0, true);
        RecordingMessages messages;
        FakeExchange target;
        ProcessData& data = target.Data;
        for (int i = 0; i < 100; ++i)
            data.ProcessIncoming(QByteArray(10000, 'x'));
        QVERIFY2(data.IncomingBuffer().size() <= ProcessData::IncomingLimit,
                 QByteArray::number(int(state)));
    }
}

void TestProcessIncoming::streamEndAlwaysMakesProgress() {
    // Measurement lines, then the start of the confirmation: all before the "M" goes.
    Outcome outcome =
        Run({Reading(' ', "1.5", "N") + "Me"}, ExchangeState::Confirming, Reply::StreamOff);
    QCOMPARE(outcome.Buffer, QByteArray("Me"));
    QCOMPARE(outcome.Ends, 0);
    outcome = Run({Reading(' ', "1.5", "N") + "Me", "0\r\n"}, ExchangeState::Confirming,
                  Reply::StreamOff);
    QCOMPARE(outcome.Ends, 1);
    QCOMPARE(outcome.Buffer, QByteArray());
    // A buffer that begins with another reply: the first line is dropped, not looped on.
    outcome = Run({"Mf1\r\nMv9\r\n12\r\n"}, ExchangeState::Confirming, Reply::StreamOff);
    QCOMPARE(outcome.Buffer, QByteArray());
    QCOMPARE(outcome.Ends, 0);
}

namespace {
// Feeds more text from inside a message box, as a nested event loop would.
class ReentrantMessages final : public MessagePresenter {
public:
    ProcessData* Data = nullptr;
    QByteArray Extra;
    int Repeat = 1;
    qsizetype MostHeld = 0;
    int Shown = 0;
    void Show(QWidget*, const MessageRequest&) override {
        ++Shown;
        if (!Data || Extra.isEmpty())
            return;
        const QByteArray extra = std::exchange(Extra, QByteArray());
        for (int i = 0; i < Repeat; ++i) {
            Data->ProcessIncoming(extra);
            MostHeld = std::max(MostHeld, Data->HeldBytes());
        }
    }
    bool Ask(QWidget*, const MessageRequest&) override { return true; }
};
} // namespace

void TestProcessIncoming::textDuringABoxIsReadInAPassOfItsOwn() {
    Prepare(ExchangeState::Confirming, Reply::SampleCount, 0, false);
    FakeExchange target;
    target.Settings.SetText(SettingText::SampleCount, QStringLiteral("1000"));
    ProcessData& data = target.Data;
    ReentrantMessages messages;
    SetMessagePresenter(&messages);
    messages.Data = &data;
    messages.Extra = "xx\r\nMv800\r\n";
    data.ProcessIncoming("Mv800\r\n");
    SetMessagePresenter(nullptr);
    QCOMPARE(messages.Shown, 1);
    QCOMPARE(target.Settings.Text(SettingText::SampleCount), QStringLiteral("800"));
    QCOMPARE(data.IncomingBuffer(), QByteArray());
    QCOMPARE(target.StatusTexts.size(), 3);
}

// A gauge left sending while a box waits for the user: what waits stays within the bound, and
// the newest text is what is kept.
void TestProcessIncoming::textWhileABoxIsUpIsBounded() {
    Prepare(ExchangeState::Confirming, Reply::SampleCount, 0, false);
    FakeExchange target;
    target.Settings.SetText(SettingText::SampleCount, QStringLiteral("1000"));
    ProcessData& data = target.Data;
    ReentrantMessages messages;
    SetMessagePresenter(&messages);
    messages.Data = &data;
    messages.Extra = QByteArray("  12.345 N  \r\n").repeated(64); // a kilobyte of stream
    messages.Repeat = 8 * 1024;                                   // eight megabytes
    data.ProcessIncoming("Mv800\r\n");
    SetMessagePresenter(nullptr);
    QCOMPARE(messages.Shown, 1);
    QVERIFY2(messages.MostHeld <= 2 * ProcessData::IncomingLimit,
             qPrintable(QString::number(messages.MostHeld)));
    QVERIFY(data.HeldBytes() <= ProcessData::IncomingLimit);
}

QTEST_GUILESS_MAIN(TestProcessIncoming)
#include "tst_processincoming.moc"
