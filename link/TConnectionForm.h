#pragma once

#include <QDialog>

// The connection settings dialog: serial port and speed, or the gauge's network address.
class TConnectionForm : public QDialog {
    Q_OBJECT

public:
    explicit TConnectionForm(QWidget* parent = nullptr);
};
