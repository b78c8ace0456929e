#pragma once

#include "generator/DefaultTexts.h"
#include "generator/Show.h"

#include <QByteArray>
#include <QString>

// The show file: UTF-8 JSON, version 1.
//
//   {"show": 1, "face": "ming", "bold": false, "italic": false, "brightness": 8,
//    "scenes": [{"text": "歡迎光臨", "effect": "blink", "scans": 101, "off": 51, "repeat": 3}]}
//
// Every field but scenes, text and effect may be left out and takes its default.
inline constexpr int kShowVersion = 1;
// Sixteen scenes of the longest texts, written out with every field.
inline constexpr qint64 kShowFileLimit = 16 * (3 * qint64(kTextLimit) + 2);

// The show in json; false with a sentence that names the place (line and
// column, or the scene and field) when the file is not a show this program reads.
bool readShow(const QByteArray &json, Show *show, QString *error);

// The show as a file readShow() reads back equal, every field written out.
QByteArray writeShow(const Show &show);
