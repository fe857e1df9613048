#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// The text of the settings file: UTF-8 lines of "key=value" under "[section]" headers, ';' or '#'
// comments. One line is always one setting: nothing continues a line or spans lines. A value is
// taken as it stands, except one the writer had to quote: "..." with \\, \", \xHH and \uHHHH
// escapes (and \n, \r, \t of older files). A quoted value whose quotes do not close stays as it
// stands, so a stray quote or backslash costs no other line. Lines that cannot be read (not UTF-8,
// a NUL byte, neither setting, section nor comment) are left out and counted; a section header
// that cannot be read still ends the section above. Keys of section "Settings" match without
// regard to letter case; the last line of a key counts.
class SettingsFileText {
public:
    static SettingsFileText parse(const QByteArray& bytes);

    std::optional<QString> value(const QString& key) const;
    // Replaces every line of the key in section "Settings", in any letter case, or adds one. False
    // for a key that cannot stand on a line of its own (empty, '=', control characters, spaces at
    // either end, or a first character that starts a section or comment).
    bool setValue(const QString& key, const QString& value);
    // The file as it is to be written: the readable lines as they were, the changed ones new.
    QByteArray toBytes() const;

    int unreadableLines() const { return unreadableLines_; }
    // Headers mended: "[Settings" closed, one that cannot be read named U+FFFD.
    int mendedLines() const { return mendedLines_; }
    bool damaged() const { return unreadableLines_ > 0 || mendedLines_ > 0; }
    bool hasSettingLines() const { return settingLines_ > 0; }  // in any section
    // Every key of section "Settings", folded to one letter case, with its value.
    const QHash<QString, QString>& values() const { return values_; }

    static QByteArray encodeValue(const QString& value);
    static QString decodeValue(QByteArrayView raw);
    static bool isWritableKey(const QString& key);

private:
    struct Line {
        QByteArray text;
        QString settingsKey;  // folded; empty when the line is no key of section "Settings"
    };

    QList<Line> lines_;
    QHash<QString, QString> values_;
    int unreadableLines_ = 0;
    int mendedLines_ = 0;
    int settingLines_ = 0;
};
