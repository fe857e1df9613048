#include "platform/FileSystemSpace.h"

#include <limits>

std::optional<DiskSpace> FileSystemSpace::diskSpace(const FileSystemFigures& figures) {
    using Wide = unsigned __int128;
    const Wide unit = figures.fragmentSize;
    const Wide used = figures.blocks > figures.freeBlocks ? figures.blocks - figures.freeBlocks : 0;
    const Wide total = (used + figures.availBlocks) * unit;
    const Wide limit = std::numeric_limits<quint64>::max();
    if (total == 0 || total > limit) {
        return std::nullopt;  // nothing to measure against (pseudo filesystems) or absurd figures
    }
    DiskSpace space;
    space.total = static_cast<quint64>(total);
    space.freeToCaller = static_cast<quint64>(Wide(figures.availBlocks) * unit);
    space.totalFree = static_cast<quint64>(std::min(Wide(figures.freeBlocks) * unit, limit));
    return space;
}
