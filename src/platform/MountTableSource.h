#pragma once

#include "platform/SystemRecords.h"

#include <QList>
#include <optional>

// The local, non-removable block-device filesystems that are mounted, in mount-table order, the
// root filesystem included when it qualifies.
class MountTableSource {
public:
    virtual ~MountTableSource() = default;
    // Nothing when the mount table cannot be read.
    virtual std::optional<QList<FixedMount>> fixedMounts() = 0;
    // True once after the mount table changed since the previous call (cheap: no read). A source
    // that cannot tell answers false; callers then rely on the explicit change notice.
    virtual bool changed() { return false; }
};
