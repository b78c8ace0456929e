#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

// While it lives, closes every message box that opens, keeping the last one's text.
class MessageCatcher
{
public:
    MessageCatcher()
    {
        m_watcher.setInterval(10);
        // Fires only inside the box's own event loop or a test's wait.
        QObject::connect(&m_watcher, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                message = box->text();
                box->accept();
            }
        });
        m_watcher.start();
    }
    QString message;

private:
    QTimer m_watcher;
};

// Clicks button and returns the text of the message box it opens, closing the
// box; empty when none opens.
inline QString clickForMessage(QAbstractButton *button)
{
    MessageCatcher catcher;
    QTest::mouseClick(button, Qt::LeftButton);
    return catcher.message;
}

// Runs the event loop until done() holds, closing any message box that opens
// meanwhile; returns the text of the last one, empty when none opened, and
// says so when done() never came.
inline QString messageUntil(const std::function<bool()> &done, int timeout = 30000)
{
    MessageCatcher catcher;
    if (!QTest::qWaitFor(done, timeout))
        return QStringLiteral("(still waiting after %1 ms)").arg(timeout);
    return catcher.message;
}
