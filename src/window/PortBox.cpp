#include "window/PortBox.h"

#include "board/SerialPorts.h"

PortBox::PortBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    refresh();
    // A chosen item shows its path alone, so the box holds what will be used.
    connect(this, &QComboBox::activated, this,
            [this](int index) { setEditText(itemData(index).toString()); });
}

void PortBox::showPopup()
{
    refresh();
    QComboBox::showPopup();
}

QString PortBox::port() const
{
    return currentText().trimmed();
}

void PortBox::refresh()
{
    const QString typed = currentText();
    clear();
    for (const SerialPortEntry &entry : availablePorts()) {
        QString label = entry.path;
        if (entry.kind == SerialPortEntry::Kind::Mega)
            label += QStringLiteral("  ★ Arduino Mega 2560");
        else if (entry.kind == SerialPortEntry::Kind::Clone)
            label += QStringLiteral("  ☆ 可能是 Mega 2560 相容板");
        addItem(label, entry.path);
    }
    setEditText(typed.isEmpty() && count() > 0 ? itemData(0).toString() : typed);
}
