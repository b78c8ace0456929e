#include "window/PreviewWindow.h"

#include "generator/TestPattern.h"
#include "window/LedMatrixView.h"

#include <QPushButton>

PreviewWindow::PreviewWindow(QWidget *parent) : LedPlayer(parent)
{
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("preview"));
    setWindowTitle(QStringLiteral("LED 預覽"));
    m_testPattern = new QPushButton(QStringLiteral("測試圖樣"));
    m_testPattern->setObjectName(QStringLiteral("testPattern"));
    m_testPattern->setCheckable(true);
    m_testPattern->setToolTip(QStringLiteral("播放接線測試：燒錄測試圖樣後，招牌應該和這裡一樣"));
    addControl(m_testPattern);
    connect(m_testPattern, &QPushButton::toggled, this, [this](bool on) {
        LedPlayer::play(on ? std::make_shared<const std::vector<DisplayStep>>(testPatternProgram())
                           : m_textSteps);
    });
    // Room for LEDs of 12 px, as on a sign seen from a few steps away.
    resize(sizeHint() + QSize(12 * SketchData::kTitleColumns - leds()->minimumWidth(),
                              12 * SketchData::kRows - leds()->minimumHeight()));
}

void PreviewWindow::play(const SketchData &data)
{
    m_textSteps = std::make_shared<const std::vector<DisplayStep>>(displayProgram(data));
    if (!m_testPattern->isChecked())
        LedPlayer::play(m_textSteps);
}
