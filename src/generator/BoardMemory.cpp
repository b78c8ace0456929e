#include "generator/BoardMemory.h"

int sketchSramBytes(const SketchData &data)
{
    constexpr int kWordBytes = 2;
    const int words = 3 * SketchData::kTitleColumns + data.slen();
    return kWordBytes * words + kSketchFixedSramBytes;
}
