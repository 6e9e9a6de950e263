#pragma once

#include "state/GaugeState.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Every order the program sends to the gauge: its text, the exchange it opens, the
// confirmation it awaits, the status text shown while it is under way and its press flag.
class OrderSet {
    Q_DECLARE_TR_FUNCTIONS(OrderSet)

public:
    enum class Order {
        Display,       // "SI"
        Tare,          // "ST"
        OnOff,         // "SS"
        Standby,       // "Ss"
        LowThreshold,  // "SL" + number
        HighThreshold, // "SH" + number
        ZeroThreshold, // "SM" + number
        DisplayPoll,   // "Sx1"
        Unit,          // "Su" + unit token
        PeakOff,       // "Sp0"
        PeakPush,      // "Sp1"
        PeakPull,      // "Sp2"
        Mem,           // "Sm"
        SpeedSlow,     // "Sf0"
        SpeedFast,     // "Sf1"
        AcqManual,     // "Sa0"
        AcqAuto,       // "Sa1"
        SampleCount,   // "Sv" + integer
        SampleTime,    // "St" + number
        ThresholdsOff, // "Sk0"
        ThresholdsOn,  // "Sk1"
        Report,        // "Sid"
        StreamOff,     // "Se0"
        StreamOn,      // "Se1"
        Battery,       // "Sb"
        Download,      // "Sc" + memory 1..3
        ResetMemory,   // "Sr" [+ memory 1..2]
        Acceleration,  // "Sn" + number
    };

    struct Info {
        const char* Text;
        ::ExchangeState State;
        std::uint8_t Awaited;
        const char* Status; // source text for tr(), nullptr when the order shows none
        bool Press;
    };

    static const Info& InfoOf(Order order);
    static QByteArray TextOf(Order order, const QByteArray& argument = {});
    static QString StatusOf(Order order);

    // A typed number as the gauge gets it: the text unchanged but for its first "," -> ".".
    static QByteArray NumberArgument(const QString& typed);

    // Argument of "Su" for the unit item at the given position.
    static QByteArray UnitToken(std::uint8_t family, const QString& model, int index,
                                const QString& itemText);

    // Memories are numbered from 1 by "Sc" and from 0 by "Sr", which omits the first.
    static QByteArray DownloadArgument(int memoryIndex);
    static QByteArray ResetArgument(int memoryIndex);
};
