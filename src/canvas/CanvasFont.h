#pragma once

#include <QString>

inline const QString kFaceMing = QStringLiteral("新細明體");
inline const QString kFaceKai = QStringLiteral("標楷體");

// The type settings the canvas applies to everything it draws afterwards.
struct CanvasFont
{
    QString name = kFaceMing;
    float size = 12; // points
    bool bold = false;
    bool italic = false;

    bool operator==(const CanvasFont &) const = default;
};
