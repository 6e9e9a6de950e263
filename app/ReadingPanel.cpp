// The reading panel above the chart.
#include "app/ReadingPanel.h"

#include "app/widgets/CheckBox.h"
#include "app/widgets/PanelLayout.h"
#include "app/widgets/Pictures.h"
#include "app/widgets/ProgramFont.h"
#include "app/widgets/SpeedButton.h"
#include "link/GaugeExchange.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace PanelLayout;

namespace {

constexpr int PanelTopHeight = 129;
constexpr QSize PanelResultSize{297, 81};
constexpr QSize LogoSize{146, 56};
constexpr int ComPortButtonWidth = 120;
constexpr int TopButtonHeight = 30;
const QColor FreshReadingTint(255, 225, 225);
const QColor StaleReadingTint(192, 192, 192);

} // namespace

ReadingPanel::ReadingPanel(GaugeExchange& exchange, QWidget* parent)
    : QFrame(parent)
    , m_exchange(exchange) {
    WhitePanel(this, "PanelTop");
    KeepDesignedHeight(this, PanelTopHeight);
    auto* row = Tight(new QHBoxLayout(this), 10, 6, 10, 6, 14);

    m_ImageLogo = Label("ImageLogo", this);
    m_ImageLogo->setPixmap(Pictures::Render(QStringLiteral("logo"), LogoSize));
    m_ImageLogo->setFixedSize(LogoSize);
    row->addWidget(m_ImageLogo, 0, Qt::AlignVCenter);

    m_PanelResult = Label("PanelResult", this, QStringLiteral("0 g"));
    m_PanelResult->setFixedSize(PanelResultSize);
    m_PanelResult->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_PanelResult->setLineWidth(1);
    m_PanelResult->setAlignment(Qt::AlignCenter);
    m_PanelResult->setFont(ReadingFont());
    m_PanelResult->setAutoFillBackground(true);
    Tint(false);
    row->addWidget(m_PanelResult, 0, Qt::AlignVCenter);

    // Port and exit buttons above the battery and the two polling switches.
    auto* state = Tight(new QGridLayout, 0, 0, 0, 0, 4);
    m_sbComPort = Button("sbComPort", this, QStringLiteral("icon-connection"));
    // The designed width, wider where a caption or a wider fallback face needs it.
    m_sbComPort->setFixedHeight(TopButtonHeight);
    m_sbComPort->setMinimumWidth(ComPortButtonWidth);
    m_sbComPort->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_sbExit = Button("sbExit", this, QStringLiteral("icon-exit"));
    m_sbExit->setFixedHeight(TopButtonHeight);
    m_sbExit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_lblBattery = Label("lblBattery", this);
    m_pbBateryPercent = Named(new QProgressBar(this), "pbBateryPercent");
    m_pbBateryPercent->setRange(0, 100);
    m_pbBateryPercent->setValue(0);
    m_pbBateryPercent->setTextVisible(false);
    m_pbBateryPercent->setFixedHeight(12);
    m_LabelBateryPercent = Label("LabelBateryPercent", this, QStringLiteral("%"));
    m_LabelBateryPercent->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("100%")));
    m_chkbUpdateDisplay = Named(new CheckBox({}, this), "chkbUpdateDisplay");
    m_chkbUpdateDisplay->setChecked(true);
    m_chkbUpdateBattery = Named(new CheckBox({}, this), "chkbUpdateBattery");
    m_chkbUpdateBattery->setChecked(true);
    auto* buttons = Tight(new QHBoxLayout, 0, 0, 0, 0, 6);
    buttons->addWidget(m_sbComPort);
    buttons->addWidget(m_sbExit, 1);
    auto* battery = Tight(new QHBoxLayout, 0, 0, 0, 0, 5);
    battery->addWidget(m_lblBattery);
    battery->addWidget(m_pbBateryPercent, 1);
    battery->addWidget(m_LabelBateryPercent);
    state->addLayout(buttons, 0, 0);
    state->setRowMinimumHeight(1, 4);
    state->addLayout(battery, 2, 0);
    state->addWidget(m_chkbUpdateDisplay, 3, 0);
    state->addWidget(m_chkbUpdateBattery, 4, 0);
    auto* holder = Tight(new QVBoxLayout, 0, 0, 0, 0, 0);
    holder->addStretch(1);
    holder->addLayout(state);
    holder->addStretch(1);
    row->addLayout(holder, 1);

    m_ConnectionTimer = Named(new QTimer(this), "ConnectionTimer");
    m_ConnectionTimer->setInterval(FreshReading);
    m_ConnectionTimer->setSingleShot(true);

    connect(m_sbComPort, &SpeedButton::Click, this, &ReadingPanel::PortClicked);
    connect(m_sbExit, &SpeedButton::Click, this, &ReadingPanel::ExitClicked);
    connect(m_chkbUpdateDisplay, &CheckBox::Click, this, [this] {
        if (m_chkbUpdateDisplay->isChecked())
            emit DisplayPollOn();
    });
    connect(m_chkbUpdateBattery, &CheckBox::Click, this, [this] {
        if (m_chkbUpdateBattery->isChecked())
            emit BatteryPollOn();
    });
    connect(m_ConnectionTimer, &QTimer::timeout, this, [this] { Tint(false); });

    connect(&m_exchange.Settings(), &GaugeSettings::Changed, this,
            [this](GaugeSettings::Item item) {
                if (item == GaugeSettings::Item::Reading)
                    m_PanelResult->setText(m_exchange.Settings().Reading());
            });
    ProcessData& replies = m_exchange.Replies();
    connect(&replies, &ProcessData::ReadingTaken, this, [this] {
        Tint(true);
        m_ConnectionTimer->start();
    });
    connect(&replies, &ProcessData::BatteryRead, this, [this](int percent) {
        m_pbBateryPercent->setValue(std::clamp(percent, 0, 100));
        m_LabelBateryPercent->setText(QString::number(percent) + QLatin1Char('%'));
    });
}

void ReadingPanel::Tint(bool fresh) {
    QPalette palette = m_PanelResult->palette();
    palette.setColor(QPalette::Window, fresh ? FreshReadingTint : StaleReadingTint);
    m_PanelResult->setPalette(palette);
}

void ReadingPanel::ShowPortOpen(bool open) {
    m_portOpen = open;
    const QString caption = open ? tr("Zamknij port") : tr("Otwórz port");
    m_sbComPort->setText(caption);
    m_sbComPort->setToolTip(caption);
}

bool ReadingPanel::PollsDisplay() const {
    return m_chkbUpdateDisplay->isChecked();
}

bool ReadingPanel::PollsBattery() const {
    return m_chkbUpdateBattery->isChecked();
}

void ReadingPanel::ApplyTexts() {
    m_lblBattery->setText(tr("Bateria"));
    m_sbExit->setText(tr("Wyjdź"));
    m_chkbUpdateDisplay->setText(tr("Odświeżaj stan wyświetlacza"));
    m_chkbUpdateBattery->setText(tr("Odświeżaj stan baterii"));
    ShowPortOpen(m_portOpen);
}
