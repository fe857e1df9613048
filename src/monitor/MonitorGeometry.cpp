#include "monitor/MonitorGeometry.h"

namespace MonitorGeometry {

int placedTop(std::optional<int> storedTop, int windowHeight, int workAreaHeight, int previousRowCount,
              int rowCount) {
    int top = storedTop.value_or(workAreaHeight - windowHeight);
    if (previousRowCount < rowCount && top + windowHeight > workAreaHeight) {
        top = workAreaHeight - windowHeight;
        if (top < 0) {
            top = 0;
        }
    }
    return top;
}

}  // namespace MonitorGeometry
