#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// Clicks button and returns the text of the message box it opens, closing the
// box; empty when none opens.
inline QString clickForMessage(QAbstractButton *button)
{
    QString message;
    QTimer watcher;
    watcher.setInterval(10);
    // Fires only inside the box's own event loop: the click itself runs none.
    QObject::connect(&watcher, &QTimer::timeout, [&message] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    watcher.start();
    QTest::mouseClick(button, Qt::LeftButton);
    return message;
}
