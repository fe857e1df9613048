// A build without X11: no key can be grabbed and no window looks translucent.
#include "platform/EmbeddedTrayIcon.h"
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

bool xembedTrayPresent() {
    return false;
}

std::unique_ptr<EmbeddedTrayIcon> createEmbeddedTrayIcon(QObject*) {
    return nullptr;
}
