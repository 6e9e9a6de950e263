#pragma once

#include <QDialog>

// The serial auto-configuration dialog: finds the port and speed on which a gauge answers.
class TAutoKonfForm : public QDialog {
    Q_OBJECT

public:
    explicit TAutoKonfForm(QWidget* parent = nullptr);
};
