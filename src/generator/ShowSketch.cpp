#include "generator/ShowSketch.h"

#include "generator/SketchText.h"

#include <map>

namespace {

// Words an array: 16 KB, a power of two so that the board divides by shifting.
constexpr int kChunkShift = 13;
constexpr long kChunkWords = 1L << kChunkShift;
constexpr int kWordsPerLine = 16;

// Scenes with the same text share their columns.
struct DataLayout
{
    std::vector<quint16> words;
    std::vector<long> start; // each scene's first word
};

DataLayout layout(const std::vector<SceneColumns> &columns)
{
    DataLayout result;
    std::map<SceneColumns, long> placed;
    for (const SceneColumns &scene : columns) {
        const auto [where, added] = placed.try_emplace(scene, long(result.words.size()));
        if (added)
            result.words.insert(result.words.end(), scene.begin(), scene.end());
        result.start.push_back(where->second);
    }
    return result;
}

const QStringList kProgram = {
    "uint16_t a[64]; //重複掃瞄資料",
    "uint32_t chunks[CHUNKS]; //各資料陣列的遠位址",
    "",
    "// 從第 first 欄起的 64 欄；場景寬度以外不亮",
    "void window(const Scene &s, int32_t first) {",
    "    for (uint8_t j = 0; j < 64; j++)",
    "        a[j] = 0;",
    "    int32_t from = first < 0 ? 0 : first;",
    "    int32_t to = first + 64 < (int32_t)s.width ? first + 64 : (int32_t)s.width;",
    "    if (from >= to)",
    "        return;",
    "    uint32_t g = s.start + from;",
    "    uint8_t chunk = g >> CHUNK_SHIFT;",
    "    uint16_t offset = g & ((1UL << CHUNK_SHIFT) - 1);",
    "    uint32_t address = chunks[chunk] + 2UL * offset;",
    "    for (int32_t x = from; x < to; x++) {",
    "        a[x - first] = pgm_read_word_far(address);",
    "        address += 2;",
    "        if (++offset == (1U << CHUNK_SHIFT)) {",
    "            offset = 0;",
    "            address = chunks[++chunk];",
    "        }",
    "    }",
    "}",
    "",
    "void scan(uint16_t scans) {",
    "    for (uint16_t j = 0; j < scans; j++) {",
    "        for (uint8_t i = 0; i <= 63; i++) {",
    "            PORTC = i;",
    "            PORTB = a[i] >> 8;",
    "            PORTA = a[i] & 0xFF;",
    "            delayMicroseconds(LIT);",
    "            PORTA = 0;",
    "            PORTB = 0;",
    "#if DARK > 0",
    "            delayMicroseconds(DARK);",
    "#endif",
    "        }",
    "    }",
    "}",
    "",
    "void setup() {",
    "    DDRA = 0xFF;",
    "    DDRB = 0xFF;",
    "    DDRC = 0xFF;",
    "    CHUNK_ADDRESSES",
    "}",
    "",
    "void loop() {",
    "    for (uint8_t n = 0; n < sizeof(scenes) / sizeof(scenes[0]); n++) {",
    "        const Scene &s = scenes[n];",
    "        const int32_t w = s.width;",
    "        for (uint8_t r = 0; r < s.repeat; r++) {",
    "            switch (s.effect) {",
    "            case 0: //明滅",
    "                window(s, 0);",
    "                scan(s.scans);",
    "                window(s, -64);",
    "                scan(s.off);",
    "                break;",
    "            case 1: //上捲",
    "            case 2: //下捲",
    "                for (uint8_t k = 0; k < 16; k++) {",
    "                    window(s, 0);",
    "                    for (uint8_t j = 0; j < 64; j++)",
    "                        a[j] = s.effect == 1 ? a[j] << (15 - k) : a[j] >> (15 - k);",
    "                    scan(s.scans);",
    "                }",
    "                break;",
    "            case 3: //左移",
    "                for (int32_t k = 0; k <= w + 64; k++) {",
    "                    window(s, k - 64);",
    "                    scan(s.scans);",
    "                }",
    "                break;",
    "            case 4: //右移",
    "                for (int32_t k = 0; k <= w + 64; k++) {",
    "                    window(s, w - k);",
    "                    scan(s.scans);",
    "                }",
    "                break;",
    "            case 5: //分頁",
    "                for (int32_t p = 0; p == 0 || p * 64 < w; p++) {",
    "                    window(s, p * 64);",
    "                    scan(s.scans);",
    "                }",
    "                break;",
    "            }",
    "        }",
    "    }",
    "}",
};

} // namespace

QStringList showSketchLines(const Show &show, const std::vector<SceneColumns> &columns)
{
    const DataLayout data = layout(columns);
    const long chunks = std::max(1L, long((data.words.size() + kChunkWords - 1) / kChunkWords));
    const int lit = 100 * show.brightness / Show::kMaxBrightness;

    QStringList lines{
        "#include <avr/pgmspace.h>",
        "",
        "//亮度：每欄點亮的微秒數，其餘時間不亮",
        QStringLiteral("#define LIT %1").arg(lit),
        QStringLiteral("#define DARK %1").arg(100 - lit),
        QStringLiteral("#define CHUNK_SHIFT %1").arg(kChunkShift),
        QStringLiteral("#define CHUNKS %1").arg(chunks),
        "",
        "//節目的欄資料，放在快閃記憶體",
    };
    for (long c = 0; c < chunks; ++c) {
        lines.append(QStringLiteral("const uint16_t d%1[] PROGMEM = {").arg(c));
        const long first = c * kChunkWords;
        const long last = std::min(long(data.words.size()), first + kChunkWords);
        if (first >= last)
            lines.append(QStringLiteral("0"));
        for (long i = first; i < last; i += kWordsPerLine) {
            QString line;
            for (long k = i; k < std::min(last, i + kWordsPerLine); ++k)
                line += QString::number(data.words[std::size_t(k)]) + u',';
            lines.append(line);
        }
        lines.append(QStringLiteral("};"));
    }
    lines.append(QString());
    lines.append(QStringLiteral("//場景：資料起點、寬度、效果、每步掃描數、暗掃描數、次數"));
    lines.append(QStringLiteral("struct Scene { uint32_t start; uint32_t width; uint8_t effect; "
                                "uint16_t scans; uint16_t off; uint8_t repeat; };"));
    lines.append(QStringLiteral("const Scene scenes[] = {"));
    for (std::size_t n = 0; n < show.scenes.size(); ++n) {
        const Scene &scene = show.scenes[n];
        lines.append(QStringLiteral("    {%1, %2, %3, %4, %5, %6},")
                         .arg(data.start[n])
                         .arg(columns[n].size())
                         .arg(int(scene.effect))
                         .arg(scene.scans)
                         .arg(scene.off)
                         .arg(scene.repeat));
    }
    lines.append(QStringLiteral("};"));
    for (const QString &line : kProgram) {
        if (line != u"    CHUNK_ADDRESSES") {
            lines.append(line);
            continue;
        }
        for (long c = 0; c < chunks; ++c)
            lines.append(QStringLiteral("    chunks[%1] = pgm_get_far_address(d%1);").arg(c));
    }
    return lines;
}

int showFlashBytes(const Show &show, const std::vector<SceneColumns> &columns)
{
    // The program around the data, with the Arduino core, as compiled by
    // Debian 12's and 13's compilers with a little to spare, and the setup
    // line each array adds.
    constexpr int kProgramBytes = 1700;
    constexpr int kArrayBytes = 24;
    constexpr int kSceneBytes = 14;
    const long words = long(layout(columns).words.size());
    const long arrays = std::max(1L, (words + kChunkWords - 1) / kChunkWords);
    return int(words * 2 + arrays * kArrayBytes) + int(show.scenes.size()) * kSceneBytes +
           kProgramBytes;
}

QByteArray showSketchCode(const Show &show, const std::vector<SceneColumns> &columns)
{
    return (showSketchLines(show, columns).join(QLatin1String(kLineEnd)) + QLatin1String(kLineEnd))
        .toUtf8();
}
