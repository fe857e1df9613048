#include "hotkey/ApiHotkey.h"
#include "platform/UnavailableGlobalHotkeys.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any text may come back as an atom's name: reading it never fails, sets only the four modifier
// bits, and a hotkey read from its own name is the same hotkey.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static UnavailableGlobalHotkeys system(QStringLiteral("fuzzing"));
    const QString name = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const quint32 atom = system.addAtom(name);

    ApiHotkey hotkey(&system);
    hotkey.ReadFromAtom(atom);
    if ((hotkey.Modifier() & ~0xFu) != 0) {
        std::abort();
    }
    ApiHotkey again;
    again.ReadFromAtomName(hotkey.UniqueAtomName());
    if (!again.MatchedKey(hotkey) || again.UniqueAtomName() != hotkey.UniqueAtomName()) {
        std::abort();
    }
    system.deleteAtom(atom);
    return 0;
}
