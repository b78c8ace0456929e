#pragma once

#include <QImage>

// An RGB32 image whose pixels sit in memory the kernel may back with huge
// pages, so that first touching a surface tens of megabytes wide costs a few
// dozen page faults instead of thousands. Smaller images, and any the kernel
// will not map, are ordinary ones.
QImage hugeImage(int width, int height);
