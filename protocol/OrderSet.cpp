#include "protocol/OrderSet.h"

#include <array>

namespace {

using O = OrderSet::Order;
using E = ExchangeState;

constexpr std::array<OrderSet::Info, 28> Orders{{
    {"SI", E::ReadingDisplay, Reply::Display, nullptr, false},
    {"ST", E::Confirming, Reply::Tare, QT_TRANSLATE_NOOP("OrderSet", "Zerowanie..."), true},
    {"SS", E::Confirming, Reply::OnOff, QT_TRANSLATE_NOOP("OrderSet", "Włączenie/wyłączanie..."),
     true},
    {"Ss", E::Confirming, Reply::Standby,
     QT_TRANSLATE_NOOP("OrderSet", "Przejście do/powrót z oczekiwania..."), true},
    {"SL", E::Confirming, Reply::LowThreshold,
     QT_TRANSLATE_NOOP("OrderSet", "Ustawianie dolnego progu..."), false},
    {"SH", E::Confirming, Reply::HighThreshold,
     QT_TRANSLATE_NOOP("OrderSet", "Ustawianie górnego progu..."), false},
    {"SM", E::Confirming, Reply::ZeroThreshold,
     QT_TRANSLATE_NOOP("OrderSet", "Ustawianie zerowego progu..."), false},
    {"Sx1", E::ReadingDisplay, Reply::DisplayPoll, nullptr, false},
    {"Su", E::Confirming, Reply::Unit, QT_TRANSLATE_NOOP("OrderSet", "Zmiana jednostki..."), false},
    {"Sp0", E::Confirming, Reply::PeakOff,
     QT_TRANSLATE_NOOP("OrderSet", "Wyłączanie trybu PEAK..."), true},
    {"Sp1", E::Confirming, Reply::PeakPush,
     QT_TRANSLATE_NOOP("OrderSet", "Włączanie trybu PEAK+..."), true},
    {"Sp2", E::Confirming, Reply::PeakPull,
     QT_TRANSLATE_NOOP("OrderSet", "Włączanie trybu PEAK-..."), true},
    {"Sm", E::Confirming, Reply::Mem, QT_TRANSLATE_NOOP("OrderSet", "Wywoływanie operacji MEM..."),
     true},
    {"Sf0", E::Confirming, Reply::SpeedSlow,
     QT_TRANSLATE_NOOP("OrderSet", "Zmiana szybkości pomiaru..."), false},
    {"Sf1", E::Confirming, Reply::SpeedFast,
     QT_TRANSLATE_NOOP("OrderSet", "Zmiana szybkości pomiaru..."), false},
    {"Sa0", E::Confirming, Reply::AcqManual,
     QT_TRANSLATE_NOOP("OrderSet", "Zmiana trybu akwizycji..."), false},
    {"Sa1", E::Confirming, Reply::AcqAuto,
     QT_TRANSLATE_NOOP("OrderSet", "Zmiana trybu akwizycji..."), false},
    {"Sv", E::Confirming, Reply::SampleCount,
     QT_TRANSLATE_NOOP("OrderSet", "Ustawianie liczby próbek..."), false},
    {"St", E::Confirming, Reply::SampleTime,
     QT_TRANSLATE_NOOP("OrderSet", "Ustawianie czasu próbkowania..."), false},
    {"Sk0", E::Confirming, Reply::ThresholdsOff,
     QT_TRANSLATE_NOOP("OrderSet", "Wyłączanie progów..."), false},
    {"Sk1", E::Confirming, Reply::ThresholdsOn,
     QT_TRANSLATE_NOOP("OrderSet", "Włączanie progów..."), false},
    {"Sid", E::ReadingSettings, Reply::Report, nullptr, false},
    {"Se0", E::Confirming, Reply::StreamOff,
     QT_TRANSLATE_NOOP("OrderSet", "Wyłączanie nadawania ciągłego..."), false},
    {"Se1", E::Confirming, Reply::StreamOn,
     QT_TRANSLATE_NOOP("OrderSet", "Włączanie nadawania ciągłego..."), false},
    {"Sb", E::Confirming, Reply::Battery, nullptr, false},
    {"Sc", E::Downloading, Reply::Download,
     QT_TRANSLATE_NOOP("OrderSet", "Odczyt zgromadzonych próbek..."), false},
    {"Sr", E::Confirming, Reply::ResetMemory, QT_TRANSLATE_NOOP("OrderSet", "Resetowanie..."),
     false},
    {"Sn", E::Confirming, Reply::Acceleration,
     QT_TRANSLATE_NOOP("OrderSet", "Ustawianie przyspieszenia..."), false},
}};

} // namespace

const OrderSet::Info& OrderSet::InfoOf(Order order) {
    return Orders.at(static_cast<std::size_t>(order));
}

QByteArray OrderSet::TextOf(Order order, const QByteArray& argument) {
    return QByteArray(InfoOf(order).Text) + argument;
}

QString OrderSet::StatusOf(Order order) {
    const char* status = InfoOf(order).Status;
    return status ? tr(status) : QString();
}

QByteArray OrderSet::NumberArgument(const QString& typed) {
    QString text = typed;
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0)
        text[comma] = QLatin1Char('.');
    return text.toLatin1();
}

QByteArray OrderSet::UnitToken(std::uint8_t family, const QString& model, int index,
                               const QString& itemText) {
    if (family == Family::Torque) {
        static const char* const torque[] = {"N*m", "N*cm", "kgf*m", "gf*m", "lbf*in", "kg"};
        return index >= 0 && index < 6 ? QByteArray(torque[index]) : QByteArray();
    }
    if (family != Family::Force && family != Family::ForceFC)
        return {};
    if (model.contains(QLatin1Char('k'))) {
        if (itemText == QLatin1String("kN"))
            return QByteArrayLiteral("N");
        return itemText.toLatin1();
    }
    static const char* const force[] = {" N", "kgf", "Lbf", "ozf", "kg", "lb", "oz"};
    return index >= 0 && index < 7 ? QByteArray(force[index]) : QByteArray();
}

QByteArray OrderSet::DownloadArgument(int memoryIndex) {
    return QByteArray::number(memoryIndex + 1);
}

QByteArray OrderSet::ResetArgument(int memoryIndex) {
    return memoryIndex <= 0 ? QByteArray() : QByteArray::number(memoryIndex);
}
