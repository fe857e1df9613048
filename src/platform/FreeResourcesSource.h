#pragma once

#include <QtGlobal>
#include <optional>

// The free-resources function of the old consumer family: the free share of the system (0), GDI (1)
// or User (2) heaps in percent. Linux has no such heaps; only tests implement this.
class FreeResourcesSource {
public:
    virtual ~FreeResourcesSource() = default;
    virtual std::optional<qint32> freePercent(int selector) = 0;
};
