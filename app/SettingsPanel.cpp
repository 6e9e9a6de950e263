#include "app/SettingsPanel.h"

#include "app/widgets/CheckBox.h"
#include "app/widgets/CheckGroupHeader.h"
#include "app/widgets/ClickGuard.h"
#include "app/widgets/PanelLayout.h"
#include "app/widgets/RadioGroup.h"
#include "app/widgets/SpeedButton.h"
#include "link/GaugeExchange.h"
#include "measure/SettingsRules.h"
#include "protocol/DeviceModel.h"
#include "state/GaugeState.h"
#include "state/Messages.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace PanelLayout;
using Order = OrderSet::Order;

namespace {

constexpr SettingText SettingTexts[] = {SettingText::SampleCount, SettingText::SampleTime,
                                        SettingText::Low,         SettingText::High,
                                        SettingText::Zero,        SettingText::Acceleration};

// Long lists of short units take two columns, so that the group keeps its height.
constexpr int UnitsInOneColumn = 4;

// Changes a group's item as the reply side would, the mark first; the same item raises no
// click and gets no mark that could swallow the user's next one.
void Select(RadioGroup* group, int index) {
    if (group->ItemIndex() == index)
        return;
    group->SetTag(SuppressNextClick);
    group->SetItemIndex(index);
}

void Check(CheckBox* box, bool checked) {
    if (box->isChecked() == checked)
        return;
    box->SetTag(SuppressNextClick);
    box->setChecked(checked);
}

QString SelectedItem(const RadioGroup* group) {
    return group->Items().value(group->ItemIndex());
}

// The unit list before a gauge names its own.
QStringList InitialUnits() {
    return {SettingsPanel::tr("kilogram 'kg'"), SettingsPanel::tr("Newton 'N'"),
            SettingsPanel::tr("funt 'lb'"), SettingsPanel::tr("uncja 'oz'")};
}

} // namespace

SettingsPanel::SettingsPanel(GaugeExchange& exchange, QWidget* parent)
    : QGroupBox(parent)
    , m_exchange(exchange) {
    setObjectName(QStringLiteral("gbSettings"));
    Build();
    Wire();
    Follow();
}

SettingsPanel::~SettingsPanel() {
    // Closing moves the focus, and the settings it would be told go with the exchange.
    disconnect(m_focusFollow);
}

GaugeSettings& SettingsPanel::Settings() const {
    return m_exchange.Settings();
}

void SettingsPanel::Build() {
    auto* columns = Tight(new QHBoxLayout(this), 3, 1, 3, 1, 4);

    // Units and the PEAK mode.
    auto* first = Tight(new QVBoxLayout, 0, 0, 0, 0, 3);
    m_rgUnit = Named(new RadioGroup(this), "rgUnit");
    m_rgUnit->SetItems(InitialUnits());
    m_rgUnit->SetItemIndex(0);
    m_chkbPeak = Named(new CheckBox, "chkbPeak");
    m_rgPeakMode = Named(new RadioGroup(this), "rgPeakMode");
    m_rgPeakMode->SetItems({tr("siła nacisku"), tr("siła ciągu")});
    m_rgPeakMode->SetItemIndex(0);
    m_peakHeader = new CheckGroupHeader(m_rgPeakMode, m_chkbPeak);
    // Each column fills the group's height, so that the groups end on one line.
    first->addWidget(m_rgUnit, 1);
    first->addWidget(m_rgPeakMode);
    columns->addLayout(first);

    // Data acquisition, and the refresh of the whole panel below it.
    auto* second = Tight(new QVBoxLayout, 0, 0, 0, 0, 3);
    second->addWidget(BuildAcquisition(), 1);
    m_sbUpdateSettings = Button("sbUpdateSettings", this, QStringLiteral("icon-refresh"));
    second->addWidget(m_sbUpdateSettings, 0, Qt::AlignRight);
    columns->addLayout(second, 1);

    // Thresholds and the gravitational acceleration.
    auto* third = Tight(new QVBoxLayout, 0, 0, 0, 0, 3);
    third->addWidget(BuildThresholds(), 1);
    m_gbAcceleration = Group("gbAcceleration", this);
    auto* acceleration = Tight(new QHBoxLayout(m_gbAcceleration));
    m_EditAcceleration = Edit("EditAcceleration", m_gbAcceleration, {}, 15, 58);
    m_lblAccelerationUnit = Label("lblAccelerationUnit", m_gbAcceleration, QStringLiteral("m/s*s"));
    m_sbAcceleration = SetButton("sbAcceleration", m_gbAcceleration);
    acceleration->addWidget(m_EditAcceleration);
    acceleration->addWidget(m_lblAccelerationUnit, 1);
    acceleration->addWidget(m_sbAcceleration);
    third->addWidget(m_gbAcceleration);
    columns->addLayout(third);
}

QWidget* SettingsPanel::BuildAcquisition() {
    m_gbAcquisition = Group("gbAcquisition", this);
    auto* acquisition = Tight(new QGridLayout(m_gbAcquisition));
    m_rgAcquisition = Named(new RadioGroup(m_gbAcquisition), "rgAcquisition");
    m_rgAcquisition->SetColumns(2);
    m_rgAcquisition->SetItems({QStringLiteral("MANUAL"), QStringLiteral("AUTO")});
    m_rgAcquisition->SetItemIndex(0);
    m_rgSpeed = Named(new RadioGroup(m_gbAcquisition), "rgSpeed");
    m_rgSpeed->SetColumns(2);
    m_rgSpeed->SetItems({QStringLiteral("SLOW"), QStringLiteral("FAST")});
    m_rgSpeed->SetItemIndex(0);
    {
        // Families without the speed setting hide it; the place stays, so nothing moves.
        QSizePolicy policy = m_rgSpeed->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        m_rgSpeed->setSizePolicy(policy);
    }
    auto* modes = Tight(new QHBoxLayout, 0, 0, 0, 0, 4);
    modes->addWidget(m_rgAcquisition);
    modes->addWidget(m_rgSpeed);
    acquisition->addLayout(modes, 0, 0, 1, 3);
    m_lbSampleCount = Label("lbSampleCount", m_gbAcquisition);
    m_EditSampleCount = Edit("EditSampleCount", m_gbAcquisition, QStringLiteral("0"), 15, 48);
    m_sbSampleCount = SetButton("sbSampleCount", m_gbAcquisition);
    m_LabelSampleTime = Label("LabelSampleTime", m_gbAcquisition);
    m_EditSampleTime = Edit("EditSampleTime", m_gbAcquisition, QStringLiteral("0"), 6, 48);
    m_sbSampleTime = SetButton("sbSampleTime", m_gbAcquisition);
    // Extra height opens between the mode groups and the two value rows.
    acquisition->setRowStretch(1, 1);
    acquisition->addWidget(m_lbSampleCount, 2, 0);
    acquisition->addWidget(m_EditSampleCount, 2, 1);
    acquisition->addWidget(m_sbSampleCount, 2, 2);
    acquisition->addWidget(m_LabelSampleTime, 3, 0);
    acquisition->addWidget(m_EditSampleTime, 3, 1);
    acquisition->addWidget(m_sbSampleTime, 3, 2);
    acquisition->setColumnStretch(0, 1);
    m_lbSampleCount->setBuddy(m_EditSampleCount);
    m_LabelSampleTime->setBuddy(m_EditSampleTime);
    return m_gbAcquisition;
}

QWidget* SettingsPanel::BuildThresholds() {
    m_gbThresholds = Group("gbThresholds", this);
    m_chkbThr = Named(new CheckBox, "chkbThr");
    m_thrHeader = new CheckGroupHeader(m_gbThresholds, m_chkbThr);
    auto* thresholds = Tight(new QGridLayout(m_gbThresholds));
    const struct {
        QLabel** Caption;
        const char* CaptionName;
        QLineEdit** Edit;
        const char* EditName;
        const char* Text;
        SpeedButton** Button;
        const char* ButtonName;
    } rows[] = {{&m_lblLow, "lblLow", &m_EditLow, "EditLow", "99.0", &m_sbLow, "sbLow"},
                {&m_lblHigh, "lblHigh", &m_EditHigh, "EditHigh", "101.0", &m_sbHigh, "sbHigh"},
                {&m_lblZero, "lblZero", &m_EditZero, "EditZero", "0.0", &m_dbZero, "dbZero"}};
    int line = 0;
    for (const auto& entry : rows) {
        *entry.Caption = Label(entry.CaptionName, m_gbThresholds);
        *entry.Edit = Edit(entry.EditName, m_gbThresholds, QLatin1String(entry.Text), 15, 58);
        *entry.Button = SetButton(entry.ButtonName, m_gbThresholds);
        thresholds->addWidget(*entry.Caption, line, 0);
        thresholds->addWidget(*entry.Edit, line, 1);
        thresholds->addWidget(*entry.Button, line, 2);
        // Each field is announced by its own caption, not by the group's title.
        (*entry.Caption)->setBuddy(*entry.Edit);
        ++line;
    }
    thresholds->setColumnStretch(0, 1);
    return m_gbThresholds;
}

void SettingsPanel::Wire() {
    connect(m_rgUnit, &RadioGroup::Click, this, &SettingsPanel::rgUnitClick);
    connect(m_chkbPeak, &CheckBox::Click, this, &SettingsPanel::chkbPeakClick);
    connect(m_rgPeakMode, &RadioGroup::Click, this, &SettingsPanel::chkbPeakClick);
    connect(m_rgSpeed, &RadioGroup::Click, this, &SettingsPanel::rgSpeedClick);
    connect(m_rgAcquisition, &RadioGroup::Click, this, &SettingsPanel::rgAcquisitionClick);
    connect(m_chkbThr, &CheckBox::Click, this, &SettingsPanel::chkbThrClick);
    connect(m_sbLow, &SpeedButton::Click, this, &SettingsPanel::sbLowClick);
    connect(m_sbHigh, &SpeedButton::Click, this, &SettingsPanel::sbHighClick);
    connect(m_dbZero, &SpeedButton::Click, this, &SettingsPanel::dbZeroClick);
    connect(m_sbSampleCount, &SpeedButton::Click, this, &SettingsPanel::sbSampleCountClick);
    connect(m_sbSampleTime, &SpeedButton::Click, this, &SettingsPanel::sbSampleTimeClick);
    connect(m_sbAcceleration, &SpeedButton::Click, this, &SettingsPanel::sbAccelerationClick);
    // The next tick of the report poll asks for the whole settings report.
    connect(m_sbUpdateSettings, &SpeedButton::Click, this, &SettingsPanel::RefreshRequested);
}

void SettingsPanel::Follow() {
    GaugeSettings& settings = Settings();
    // What the panel shows at creation is where the settings start.
    for (const SettingText field : SettingTexts) {
        settings.SetText(field, EditOf(field)->text());
        connect(EditOf(field), &QLineEdit::textChanged, this,
                [this, field](const QString& text) { Settings().SetText(field, text); });
    }
    // A field being typed into keeps the typing when the report repeats.
    m_focusFollow =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* before, QWidget* now) {
            for (const SettingText field : SettingTexts) {
                if (EditOf(field) == before)
                    Settings().SetEditing(field, false);
                if (EditOf(field) == now)
                    Settings().SetEditing(field, true);
            }
        });
    connect(&settings, &GaugeSettings::Changed, this, &SettingsPanel::ShowSetting);
    connect(&settings, &GaugeSettings::TextChanged, this, &SettingsPanel::ShowSettingText);
    connect(&m_exchange.Replies(), &ProcessData::SettingsReportEnded, this, [this] {
        // A mark whose change raised no click must not swallow the user's next one.
        for (RadioGroup* group : {m_rgUnit, m_rgSpeed, m_rgAcquisition})
            group->SetTag(0);
        for (CheckBox* box : {m_chkbPeak, m_chkbThr})
            box->SetTag(0);
    });
}

void SettingsPanel::ShowSetting(GaugeSettings::Item item) {
    const GaugeSettings& settings = Settings();
    switch (item) {
    case GaugeSettings::Item::Model:
    case GaugeSettings::Item::SampleCountMax:
        ShowCaptions();
        break;
    case GaugeSettings::Item::Units:
        m_rgUnit->SetColumns(settings.Units().size() > UnitsInOneColumn ? 2 : 1);
        m_rgUnit->SetItems(settings.Units());
        break;
    case GaugeSettings::Item::Unit:
        Select(m_rgUnit, settings.UnitIndex());
        break;
    case GaugeSettings::Item::Peak:
        // The box and the direction share one mark: each change sets it anew, or the second
        // would send a PEAK order back.
        Check(m_chkbPeak, settings.PeakOn());
        if (m_rgPeakMode->ItemIndex() != settings.PeakDirection()) {
            m_chkbPeak->SetTag(SuppressNextClick);
            m_rgPeakMode->SetItemIndex(settings.PeakDirection());
        }
        break;
    case GaugeSettings::Item::Speed:
        m_rgSpeed->setVisible(settings.SpeedChoice());
        Select(m_rgSpeed, settings.Speed());
        ShowCaptions();
        break;
    case GaugeSettings::Item::Acquisition:
        Select(m_rgAcquisition, settings.Acquisition());
        break;
    case GaugeSettings::Item::Thresholds:
        Check(m_chkbThr, settings.ThresholdsOn());
        break;
    case GaugeSettings::Item::SerialNumber:
    case GaugeSettings::Item::Reading:
        break;
    }
}

// The ranges beside the sample count and the sampling time follow the gauge: its family,
// its speed and the largest count it reported.
void SettingsPanel::ShowCaptions() {
    m_lbSampleCount->setText(DeviceModel::SampleCountCaption(Settings().SampleCountMax()));
    m_LabelSampleTime->setText(
        DeviceModel::SampleTimeCaption(m_exchange.Gauge().DeviceFamily, Settings().Speed()));
}

void SettingsPanel::ShowSettingText(SettingText field) {
    QLineEdit* edit = EditOf(field);
    const QString text = Settings().Text(field);
    // The user's own typing comes back here: rewriting it would move the cursor.
    if (edit->text() == text)
        return;
    // The length limit is for typing: a value the gauge reports is shown whole.
    const int typingLimit = edit->property(TypingLimitProperty).toInt();
    edit->setMaxLength(std::max(typingLimit, int(text.size())));
    edit->setText(text);
}

QLineEdit* SettingsPanel::EditOf(SettingText field) const {
    switch (field) {
    case SettingText::SampleCount:
        return m_EditSampleCount;
    case SettingText::SampleTime:
        return m_EditSampleTime;
    case SettingText::Low:
        return m_EditLow;
    case SettingText::High:
        return m_EditHigh;
    case SettingText::Zero:
        return m_EditZero;
    case SettingText::Acceleration:
        return m_EditAcceleration;
    }
    return m_EditSampleCount;
}

QString SettingsPanel::UnitText() const {
    return SelectedItem(m_rgUnit);
}

QString SettingsPanel::SpeedText() const {
    return SelectedItem(m_rgSpeed);
}

QString SettingsPanel::AcquisitionText() const {
    return SelectedItem(m_rgAcquisition);
}

void SettingsPanel::TogglePeak() {
    m_chkbPeak->setChecked(!m_chkbPeak->isChecked());
}

void SettingsPanel::ApplyTexts() {
    setTitle(tr(" Ustawienia "));
    m_rgUnit->setTitle(tr(" Jednostka "));
    // The initial units are translated for as long as no gauge has named its own.
    if (Settings().Units().isEmpty())
        m_rgUnit->SetItemTexts(InitialUnits());
    m_peakHeader->SetText(tr("Tryb PEAK"));
    m_rgPeakMode->SetItemTexts({tr("siła nacisku"), tr("siła ciągu")});
    m_gbAcquisition->setTitle(tr(" Akwizycja danych "));
    m_rgAcquisition->setTitle(tr(" Tryb "));
    m_rgSpeed->setTitle(tr(" Szybkość pomiaru "));
    for (SpeedButton* button :
         {m_sbSampleCount, m_sbSampleTime, m_sbLow, m_sbHigh, m_dbZero, m_sbAcceleration})
        button->setToolTip(tr("Ustaw"));
    ShowCaptions();
    // The sample-time caption changes with the instrument; its widest form keeps its place.
    int widest = 0;
    for (const QString& caption :
         {DeviceModel::SampleTimeCaption(Family::Force, 1),
          DeviceModel::SampleTimeCaption(Family::Torque, 0),
          DeviceModel::SampleCountCaption(QString::number(DeviceModel::IdentifiedSampleCountMax)),
          m_LabelSampleTime->text(), m_lbSampleCount->text()})
        widest = std::max(widest, m_LabelSampleTime->fontMetrics().horizontalAdvance(caption));
    m_LabelSampleTime->setMinimumWidth(widest + 2);
    m_thrHeader->SetText(tr("Progi"));
    m_lblLow->setText(tr("Dolny:"));
    m_lblHigh->setText(tr("Górny:"));
    m_lblZero->setText(tr("Zero:"));
    m_gbAcceleration->setTitle(tr(" Przyspieszenie ziemskie "));
    m_sbUpdateSettings->setText(tr("Odśwież ustawienia"));

    // What a screen reader announces for the field without a caption of its own, and for
    // the set buttons, which all show the same picture.
    m_EditAcceleration->setAccessibleName(m_gbAcceleration->title().trimmed());
    const auto captionOf = [](const QLabel* label) {
        QString text = label->text().trimmed();
        if (text.endsWith(QLatin1Char(':')))
            text.chop(1);
        return text;
    };
    const std::pair<SpeedButton*, QString> setButtons[] = {
        {m_sbSampleCount, captionOf(m_lbSampleCount)},
        {m_sbSampleTime, captionOf(m_LabelSampleTime)},
        {m_sbLow, captionOf(m_lblLow)},
        {m_sbHigh, captionOf(m_lblHigh)},
        {m_dbZero, captionOf(m_lblZero)},
        {m_sbAcceleration, m_EditAcceleration->accessibleName()}};
    for (const auto& [button, caption] : setButtons)
        button->setAccessibleName(tr("Ustaw") + QStringLiteral(": ") + caption);
}

// --- The user's changes: into the settings and, as orders, to the gauge ------------------

void SettingsPanel::rgUnitClick() {
    if (TakeSuppressedClick(*m_rgUnit))
        return;
    const int index = m_rgUnit->ItemIndex();
    Settings().SetUnitIndex(index);
    if (m_exchange.RefusesDuringRun())
        return;
    m_exchange.Send(Order::Unit,
                    OrderSet::UnitToken(m_exchange.Gauge().DeviceFamily, Settings().Model(), index,
                                        m_rgUnit->Items().value(index)));
}

// Serves the check box and the mode group alike; both share the check box's mark.
void SettingsPanel::chkbPeakClick() {
    if (TakeSuppressedClick(*m_chkbPeak))
        return;
    Settings().SetPeak(m_chkbPeak->isChecked(), m_rgPeakMode->ItemIndex());
    if (m_exchange.RefusesDuringRun())
        return;
    if (!m_chkbPeak->isChecked())
        m_exchange.Send(Order::PeakOff);
    else if (m_rgPeakMode->ItemIndex() == GaugeSettings::Push)
        m_exchange.Send(Order::PeakPush);
    else if (m_rgPeakMode->ItemIndex() == GaugeSettings::Pull)
        m_exchange.Send(Order::PeakPull);
}

void SettingsPanel::rgSpeedClick() {
    if (TakeSuppressedClick(*m_rgSpeed))
        return;
    const int index = m_rgSpeed->ItemIndex();
    Settings().SetSpeed(index);
    if (index != GaugeSettings::Slow && index != GaugeSettings::Fast)
        return;
    if (m_exchange.RefusesDuringRun())
        return;
    emit SpeedOrdered();
    m_exchange.Send(index == GaugeSettings::Fast ? Order::SpeedFast : Order::SpeedSlow);
}

void SettingsPanel::rgAcquisitionClick() {
    if (TakeSuppressedClick(*m_rgAcquisition))
        return;
    const int index = m_rgAcquisition->ItemIndex();
    Settings().SetAcquisition(index);
    if (m_exchange.RefusesDuringRun())
        return;
    if (index != GaugeSettings::Manual && index != GaugeSettings::Auto)
        return;
    m_exchange.Send(index == GaugeSettings::Auto ? Order::AcqAuto : Order::AcqManual);
}

void SettingsPanel::chkbThrClick() {
    if (TakeSuppressedClick(*m_chkbThr))
        return;
    // The threshold lines on the chart follow the box during a run too; only the order waits.
    Settings().SetThresholdsOn(m_chkbThr->isChecked());
    if (m_exchange.RefusesDuringRun())
        return;
    m_exchange.Send(m_chkbThr->isChecked() ? Order::ThresholdsOn : Order::ThresholdsOff);
}

void SettingsPanel::SendTyped(QLineEdit* field, const std::optional<QString>& fault, Order order) {
    if (fault) {
        ShowMessage(tr("Uwaga"), *fault, MessageIcon::Information, window());
        field->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_exchange.Send(order, OrderSet::NumberArgument(field->text()));
}

void SettingsPanel::sbLowClick() {
    if (!m_exchange.RefusesDuringRun())
        SendTyped(m_EditLow, SettingsRules::CheckThreshold(m_EditLow->text()), Order::LowThreshold);
}

void SettingsPanel::sbHighClick() {
    if (!m_exchange.RefusesDuringRun())
        SendTyped(m_EditHigh, SettingsRules::CheckThreshold(m_EditHigh->text()),
                  Order::HighThreshold);
}

void SettingsPanel::dbZeroClick() {
    if (!m_exchange.RefusesDuringRun())
        SendTyped(m_EditZero, SettingsRules::CheckThreshold(m_EditZero->text()),
                  Order::ZeroThreshold);
}

// The bound is the one the caption shows: 800 at start, 6400 once the model is known, or
// what the gauge reported as its maximum.
void SettingsPanel::sbSampleCountClick() {
    if (!m_exchange.RefusesDuringRun())
        SendTyped(
            m_EditSampleCount,
            SettingsRules::CheckSampleCount(m_EditSampleCount->text(), m_lbSampleCount->text()),
            Order::SampleCount);
}

// Only force gauges of the first family have a speed to choose; that tells which limits apply.
void SettingsPanel::sbSampleTimeClick() {
    if (!m_exchange.RefusesDuringRun())
        SendTyped(m_EditSampleTime,
                  SettingsRules::CheckSampleTime(m_EditSampleTime->text(), Settings().SpeedChoice(),
                                                 Settings().Speed()),
                  Order::SampleTime);
}

void SettingsPanel::sbAccelerationClick() {
    if (!m_exchange.RefusesDuringRun())
        SendTyped(m_EditAcceleration, SettingsRules::CheckAcceleration(m_EditAcceleration->text()),
                  Order::Acceleration);
}
