// A build without X11: no key can be grabbed and no window looks translucent.
#include "platform/GlobalHotkeys.h"
#include "platform/UnavailableGlobalHotkeys.h"
#include "platform/WindowSystem.h"

std::unique_ptr<GlobalHotkeys> createGlobalHotkeys(QObject* parent) {
    return UnavailableGlobalHotkeys::forThisSession(parent);
}

namespace WindowSystem {

bool showsTranslucency() {
    return false;
}

}  // namespace WindowSystem
