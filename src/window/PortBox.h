#pragma once

#include <QComboBox>

// An editable list of the serial ports, likely boards first, read again each
// time it opens. The user may also type a path.
class PortBox : public QComboBox
{
    Q_OBJECT

public:
    explicit PortBox(QWidget *parent = nullptr);

    void showPopup() override;

    // The chosen port's path, or what the user typed.
    QString port() const;

private:
    void refresh();
};
