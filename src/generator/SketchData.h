#pragma once

#include <QtGlobal>

#include <array>
#include <vector>

// The pixel data of a sketch. A column word has bit y set when row y of that
// 16-pixel column is lit; row 0, the top row, is the least significant bit.
struct SketchData
{
    static constexpr int kTitleColumns = 64;
    static constexpr int kRows = 16;

    std::array<quint16, kTitleColumns> title{}; // array b
    std::vector<quint16> scroll;                // the slen columns behind c's lead-in zeros

    int slen() const { return int(scroll.size()); }
    bool operator==(const SketchData &) const = default;
};
