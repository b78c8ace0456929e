#include "platform/HugeImage.h"

// Huge pages are a Linux matter; elsewhere the image is an ordinary one.
#ifdef Q_OS_LINUX

#include <sys/mman.h>

namespace {

// Below this, huge pages gain nothing and a mapping of its own costs more than the heap.
constexpr size_t kHugePageSize = 2 * 1024 * 1024;

struct Mapping
{
    void *address;
    size_t size;
};

void unmap(void *info)
{
    const auto *mapping = static_cast<Mapping *>(info);
    munmap(mapping->address, mapping->size);
    delete mapping;
}

} // namespace

QImage hugeImage(int width, int height)
{
    const qsizetype bytesPerLine = qsizetype(width) * 4;
    const size_t size = size_t(bytesPerLine) * size_t(height);
    if (size < kHugePageSize)
        return QImage(width, height, QImage::Format_RGB32);
    void *address = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    // The heap may still have room the mapping did not.
    if (address == MAP_FAILED)
        return QImage(width, height, QImage::Format_RGB32);
    madvise(address, size, MADV_HUGEPAGE); // only advice: without it the image still works
    return QImage(static_cast<uchar *>(address), width, height, bytesPerLine, QImage::Format_RGB32,
                  unmap, new Mapping{address, size});
}

#else

QImage hugeImage(int width, int height)
{
    return QImage(width, height, QImage::Format_RGB32);
}

#endif
