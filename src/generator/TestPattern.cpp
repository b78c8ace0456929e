#include "generator/TestPattern.h"

#include "generator/SketchText.h"

namespace {

constexpr int kColumns = SketchData::kTitleColumns;
constexpr int kRows = SketchData::kRows;
// Scans a step lasts, about 0.2 s, 0.3 s, 1 s, 2 s and 0.5 s at the board's pace.
constexpr int kColumnScans = 30;
constexpr int kRowScans = 46;
constexpr int kAllLitScans = 153;
constexpr int kNumberScans = 306;
constexpr int kCheckerScans = 76;
constexpr int kCheckers = 4; // the board and its inverse, twice
constexpr quint16 kEvenRows = 0x5555;

constexpr QStringView kSketch[] = {
    u"//LED 矩陣接線測試",
    u"unsigned int a[64];",
    u"void setup() {",
    u"    DDRA=0xFF;",
    u"    DDRB=0xFF;",
    u"    DDRC=0xFF;",
    u"}",
    u"//掃瞄整個矩陣 n 次",
    u"void show(int n) {",
    u"    for (int j=0;j<n;j++){",
    u"        for (int i=0;i<=63;i++)",
    u"        {",
    u"            PORTC=i;",
    u"            PORTB=a[i] / 256;",
    u"            PORTA=a[i] % 256;",
    u"            delayMicroseconds(100);",
    u"            PORTA=0 ;",
    u"            PORTB=0;",
    u"        }",
    u"    }",
    u"}",
    u"void loop() {",
    u"    int i,k;",
    u"    //逐欄全亮",
    u"    for (k=0;k<=63;k++){",
    u"        for (i=0;i<=63;i++)",
    u"            a[i]=(i==k) ? 0xFFFF : 0;",
    u"        show(30);",
    u"    }",
    u"    //逐列橫跨全部欄",
    u"    for (k=0;k<=15;k++){",
    u"        for (i=0;i<=63;i++)",
    u"            a[i]=1u<<k;",
    u"        show(46);",
    u"    }",
    u"    //全部點亮",
    u"    for (i=0;i<=63;i++)",
    u"        a[i]=0xFFFF;",
    u"    show(153);",
    u"    //每欄以二進位顯示自己的欄號",
    u"    for (i=0;i<=63;i++)",
    u"        a[i]=i;",
    u"    show(306);",
    u"    //棋盤與反相，兩次",
    u"    for (k=0;k<=3;k++){",
    u"        for (i=0;i<=63;i++)",
    u"            a[i]=((i+k)%2) ? 0xAAAA : 0x5555;",
    u"        show(76);",
    u"    }",
    u"}",
};

} // namespace

std::vector<DisplayStep> testPatternProgram()
{
    std::vector<DisplayStep> steps;
    for (int k = 0; k < kColumns; ++k) {
        DisplayStep step{{}, kColumnScans, DisplayPhase::EachColumn, k, kColumns};
        step.frame[k] = 0xFFFF;
        steps.push_back(step);
    }
    for (int k = 0; k < kRows; ++k) {
        DisplayStep step{{}, kRowScans, DisplayPhase::EachRow, k, kRows};
        step.frame.fill(quint16(1u << k));
        steps.push_back(step);
    }
    DisplayStep all{{}, kAllLitScans, DisplayPhase::AllLit, 0, 1};
    all.frame.fill(0xFFFF);
    steps.push_back(all);
    DisplayStep numbers{{}, kNumberScans, DisplayPhase::ColumnNumbers, 0, 1};
    for (int j = 0; j < kColumns; ++j)
        numbers.frame[j] = quint16(j);
    steps.push_back(numbers);
    for (int k = 0; k < kCheckers; ++k) {
        DisplayStep step{{}, kCheckerScans, DisplayPhase::Checkerboard, k, kCheckers};
        // LED (x, y) lit where x + y is even, then the inverse.
        for (int x = 0; x < kColumns; ++x)
            step.frame[x] = (x + k) % 2 ? quint16(~kEvenRows) : kEvenRows;
        steps.push_back(step);
    }
    return steps;
}

QStringList testPatternLines()
{
    QStringList lines;
    for (QStringView line : kSketch)
        lines.append(line.toString());
    return lines;
}

QString testPatternCode()
{
    return testPatternLines().join(QLatin1String(kLineEnd)) + QLatin1String(kLineEnd);
}
