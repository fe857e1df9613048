// The settings file reader must cope with any bytes: what it keeps of a file must read back the same
// and need no more mending, and whatever is written must read back as it was, costing no other key.
#include "FuzzCheck.h"
#include "platform/linux/SettingsFileText.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    SettingsFileText text = SettingsFileText::parse(bytes);
    const QByteArray salvaged = text.toBytes();
    const SettingsFileText again = SettingsFileText::parse(salvaged);
    FUZZ_CHECK(!again.damaged());
    FUZZ_CHECK(again.values() == text.values());
    FUZZ_CHECK(again.hasSettingLines() == text.hasSettingLines());
    FUZZ_CHECK(again.toBytes() == salvaged);

    // Values with anything in them: every UTF-16 unit (lone surrogates, controls, quotes,
    // backslashes), and the bytes as Latin-1.
    std::vector<char16_t> units(size / 2);
    if (!units.empty()) {
        std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    }
    const QString values[] = {QString(reinterpret_cast<const QChar*>(units.data()), qsizetype(units.size())),
                              QString::fromLatin1(bytes)};
    QStringList keys = text.values().keys();
    keys << QStringLiteral("Fuzz") << QString::fromUtf8(bytes.left(40));
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QString& key = keys[i];
        const QHash<QString, QString> before = text.values();
        const bool written = text.setValue(key, values[i % 2]);
        FUZZ_CHECK(written == SettingsFileText::isWritableKey(key));
        FUZZ_CHECK(written || text.values() == before);
        if (written) {
            FUZZ_CHECK(text.value(key) == values[i % 2]);
        }
    }
    const SettingsFileText reread = SettingsFileText::parse(text.toBytes());
    FUZZ_CHECK(!reread.damaged());
    FUZZ_CHECK(reread.values() == text.values());
    return 0;
}
