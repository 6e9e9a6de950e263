// The window follows the gauge: the settings panel shows the gauge's settings as the reply side
// and the user leave them, and the reply side's events reach the reading panel, the status
// bar, the polls and the chart's titles. A control changed from here carries the
// SuppressNextClick mark, so that its handler sends nothing back.
#include "app/MainForm.h"

#include "app/widgets/CheckBox.h"
#include "app/widgets/ClickGuard.h"
#include "app/widgets/RadioGroup.h"
#include "protocol/DeviceModel.h"
#include "state/Global.h"
#include "state/Messages.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>

namespace {

const QColor FreshReadingTint(255, 225, 225);
const QColor StaleReadingTint(192, 192, 192);

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

} // namespace

GaugeSettings& TMainForm::Settings() {
    return m_exchange->Settings();
}

void TMainForm::FollowGauge() {
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
    connect(&settings, &GaugeSettings::Changed, this, &TMainForm::ShowSetting);
    connect(&settings, &GaugeSettings::TextChanged, this, &TMainForm::ShowSettingText);

    ProcessData& replies = m_exchange->Replies();
    connect(&replies, &ProcessData::StatusText, this, &TMainForm::SetStatusText);
    connect(&replies, &ProcessData::ReadingTaken, this, [this] {
        TintReading(true);
        m_ConnectionTimer->start();
    });
    connect(&replies, &ProcessData::BatteryRead, this, [this](int percent) {
        m_pbBateryPercent->setValue(std::clamp(percent, 0, 100));
        m_LabelBateryPercent->setText(QString::number(percent) + QLatin1Char('%'));
        SetTimerInterval(WindowTimer::Battery, ProcessData::BatteryIntervalAfterReport);
    });
    connect(&replies, &ProcessData::SpeedConfirmed, this, [this] {
        EnableTimer(WindowTimer::Report);
        if (m_chkbUpdateDisplay->isChecked())
            EnableTimer(WindowTimer::Display);
    });
    connect(&replies, &ProcessData::SettingsReportEnded, this, [this] {
        // A mark whose change raised no click must not swallow the user's next one.
        for (RadioGroup* group : {m_rgUnit, m_rgSpeed, m_rgAcquisition})
            group->SetTag(0);
        for (CheckBox* box : {m_chkbPeak, m_chkbThr})
            box->SetTag(0);
        DisableTimer(WindowTimer::Report);
    });
    connect(&replies, &ProcessData::SeriesUnitNamed, this,
            [this](const QString& unit) { SetYTitle(ProcessData::SampleTitle(unit)); });
    connect(&replies, &ProcessData::TimeAxisNamed, this, &TMainForm::SetXTitle);
    connect(&replies, &ProcessData::SeriesNamed, this, &TMainForm::SetSeriesName);
    connect(&replies, &ProcessData::ResultsFileStarted, this, &TMainForm::StartResultsFile);
    connect(&replies, &ProcessData::ResultTaken, this, &TMainForm::AppendResult);
    connect(&replies, &ProcessData::Warning, this,
            [](const QString& title, const QString& text, MessageIcon icon) {
                ShowMessage(title, text, icon);
            });
    // Samples go from the reply side straight into the chart's data.
    m_chartModel.Follow(replies, settings);
    connect(&m_chartModel, &ChartModel::SampleAdded, this, [this] {
        if (!m_statRefreshPending) {
            m_statRefreshPending = true;
            QTimer::singleShot(0, this, &TMainForm::RefreshStatLabels);
        }
    });
}

void TMainForm::ShowSetting(GaugeSettings::Item item) {
    const GaugeSettings& settings = Settings();
    switch (item) {
    case GaugeSettings::Item::Model:
        m_LabelModel->setText(settings.Model());
        m_LabelModel->setToolTip(settings.Model());
        ShowSampleTimeCaption();
        break;
    case GaugeSettings::Item::SerialNumber:
        m_LabelSN->setText(settings.SerialNumber());
        m_LabelSN->setToolTip(settings.SerialNumber());
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
        ShowSampleTimeCaption();
        break;
    case GaugeSettings::Item::Acquisition:
        Select(m_rgAcquisition, settings.Acquisition());
        break;
    case GaugeSettings::Item::Thresholds:
        Check(m_chkbThr, settings.ThresholdsOn());
        break;
    case GaugeSettings::Item::SampleCountMax:
        m_lbSampleCount->setText(DeviceModel::SampleCountCaption(settings.SampleCountMax()));
        break;
    case GaugeSettings::Item::Reading:
        m_PanelResult->setText(settings.Reading());
        break;
    }
}

// The range beside the sampling time follows the family and the speed shown.
void TMainForm::ShowSampleTimeCaption() {
    m_LabelSampleTime->setText(
        DeviceModel::SampleTimeCaption(Global.DeviceFamily, Settings().Speed()));
}

void TMainForm::ShowSettingText(SettingText field) {
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

QLineEdit* TMainForm::EditOf(SettingText field) const {
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

void TMainForm::TintReading(bool fresh) {
    QPalette palette = m_PanelResult->palette();
    palette.setColor(QPalette::Window, fresh ? FreshReadingTint : StaleReadingTint);
    m_PanelResult->setPalette(palette);
}
