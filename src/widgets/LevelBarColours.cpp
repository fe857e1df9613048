#include "widgets/LevelBarColours.h"

namespace LevelBarColours {

QColor fromBgr(quint32 bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

}  // namespace LevelBarColours
