#pragma once

#include <QString>

// The sample texts a user starts from: four characters of 16 pixels fill the
// 64 title columns exactly; the sentence is 62 characters long.
inline const QString kDefaultTitle = QStringLiteral("歡迎光臨");
inline const QString kDefaultText =
    QStringLiteral("歡迎光臨小小電子工作室！ 本店販售各式跑馬燈零件與套件，材料齊全，價格實惠。"
                   " 營業時間：每日上午十點至晚上九點，逢週一公休。");

// The longest title or text, in UTF-16 units, as the window's text boxes take.
inline constexpr int kTextLimit = 32767;
