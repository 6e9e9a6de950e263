#pragma once

#include <QObject>

class CheckBox;
class QGroupBox;

// Puts a check box in the place of a group's caption (the thresholds group headed by "Progi",
// the PEAK modes headed by "Tryb PEAK"). The check box switches a setting of its own; unlike a
// checkable group it does not enable or disable the group's contents.
class CheckGroupHeader final : public QObject {
    Q_OBJECT

public:
    // The header becomes a child of the group; the helper lives as long as the group.
    CheckGroupHeader(QGroupBox* group, CheckBox* header);

    // The caption of the check box; the group's own caption only keeps its room free.
    void SetText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    QGroupBox* m_group = nullptr;
    CheckBox* m_header = nullptr;
};
