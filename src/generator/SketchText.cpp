#include "generator/SketchText.h"

namespace {

constexpr QStringView kHeader[] = {
    u"unsigned int i,j,k;",
    u"unsigned int a[64]; //重複掃瞄資料",
    u"//標題資料",
    u"unsigned int b[]={",
};

constexpr char kScrollHead[] = "unsigned int c[]={";
constexpr int kLeadIn = 64;
constexpr int kScrollLineColumns = 64;

// The display program: blink the title three times, scroll it up, then run
// the text across the matrix.
constexpr QStringView kProgram[] = {
    u"void setup() {",
    u"    DDRA=0xFF;",
    u"    DDRB=0xFF;",
    u"    DDRC=0xFF;",
    u"}",
    u"void loop() {",
    u"   //明滅標題3次",
    u"   for (k=0;k<=2;k++){",
    u"       for (j=0;j<=63;j++)",
    u"           a[j]=b[j];",
    u"       //明",
    u"       for (j=0;j<=100;j++){     //延遲的時間",
    u"           for (i=0;i<=63;i++)",
    u"           {",
    u"               PORTC=i;",
    u"               PORTB=a[i] / 256;",
    u"               PORTA=a[i] % 256;",
    u"               delayMicroseconds(100);",
    u"               PORTA=0 ;",
    u"               PORTB=0;",
    u"           }",
    u"       }",
    u"       //滅",
    u"       for (j=0;j<=50;j++)  {   //延遲的時間",
    u"           for (i=0;i<=63;i++)",
    u"           {",
    u"               PORTC=i;",
    u"               PORTB=0;",
    u"               PORTA=0;",
    u"               delayMicroseconds(100);",
    u"               PORTA=0 ;",
    u"               PORTB=0;",
    u"           }",
    u"       }",
    u"   }",
    u"   //上捲",
    u"   for (k=0 ;k<=15;k++){",
    u"       for (j=0;j<=63;j++){",
    u"           a[j]=b[j]<<(15-k) ;",
    u"       }",
    u"       for (j=0;j<=10;j++){  //延遲的時間",
    u"           for (i=0;i<=63;i++)",
    u"           {",
    u"               PORTC=i;",
    u"               PORTB=a[i] / 256;",
    u"               PORTA=a[i] % 256;",
    u"               delayMicroseconds(100);",
    u"               PORTA=0 ;",
    u"               PORTB=0;",
    u"           }",
    u"       }",
    u"   }",
    u"   //以跑馬燈左旋顯示文字",
    u"   for (k=0 ;k<=slen;k++){",
    u"       for (j=0;j<=63;j++){",
    u"           a[j]=c[j+k] ;",
    u"       }",
    u"       for (j=0;j<=5;j++){  //延遲的時間",
    u"           for (i=0;i<=63;i++)",
    u"           {",
    u"               PORTC=i;",
    u"               PORTB=a[i] / 256;",
    u"               PORTA=a[i] % 256;",
    u"               delayMicroseconds(100);",
    u"               PORTA=0 ;",
    u"               PORTB=0;",
    u"           }",
    u"       }",
    u"   }",
    u"}",
};
static_assert(std::size(kProgram) == 70);

// numberText() without a temporary string: a run appends hundreds of thousands.
void appendNumber(QString &text, quint16 value)
{
    char16_t digits[6];
    char16_t *first = std::end(digits);
    do {
        *--first = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    text += u' ';
    text.append(reinterpret_cast<const QChar *>(first), std::end(digits) - first);
}

QString titleLine(const SketchData &data)
{
    QString line;
    for (int x = 0; x < SketchData::kTitleColumns; ++x) {
        appendNumber(line, data.title[x]);
        line += x == SketchData::kTitleColumns - 1 ? "};" : ",";
    }
    return line;
}

// The lead-in zeros and the scroll columns, with a break after every column
// whose index is a multiple of 64, except the last column.
QString scrollData(const SketchData &data)
{
    QString text;
    text.reserve(kLeadIn * 2 + data.slen() * 8);
    for (int i = 0; i < kLeadIn; ++i)
        text += "0,";
    for (int x = 0; x < data.slen(); ++x) {
        appendNumber(text, data.scroll[x]);
        if (x == data.slen() - 1) {
            text += "};";
        } else {
            text += u',';
            if (x % kScrollLineColumns == 0)
                text += kLineEnd;
        }
    }
    return text;
}

} // namespace

QString numberText(int value)
{
    return ' ' + QString::number(value);
}

void writeSketch(const SketchData &data, Layout layout, LineSink &sink)
{
    for (QStringView line : kHeader)
        sink.writeLine(line.toString());
    sink.writeLine(titleLine(data));
    sink.writeLine("unsigned int slen=" + numberText(data.slen()) +
                   QStringLiteral(";   //c[]資料長度"));
    sink.writeLine(QStringLiteral("//文字資料"));
    if (layout == Layout::File) {
        sink.writeLine(kScrollHead);
        sink.writeLine(scrollData(data));
    } else {
        sink.writeLine(kScrollHead + scrollData(data));
    }
    for (QStringView line : kProgram)
        sink.writeLine(line.toString());
}
