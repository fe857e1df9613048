#pragma once

#include <QString>
#include <QVariant>
#include <functional>

class ProcessorInfoLibrary;

// Builds the processor description shown as the processor type: the system's processor name
// without trademark signs and with single blanks, with its speed when the name lacks one; else the
// processor library's name and speed; else the vendor; else "Unknown processor type".
class ProcessorDescription {
public:
    // Reads one value of the processor key: text, a number, an empty variant, or the text "Error!".
    using ValueReader = std::function<QVariant(const QString& valueName)>;

    ProcessorDescription(ValueReader readValue, ProcessorInfoLibrary* library);

    QString build();

    // Removes "(r)" and "(tm)" in any letter case, after trimming outer blanks.
    static QString removeTrademarks(const QString& name);
    // Keeps a blank only when the next character is not a blank; drops a final blank.
    static QString collapseBlanks(const QString& text);
    // " (2.00 GHz)" / " (740 MHz)" for a "~MHz" value; empty when there is none.
    static QString speedSuffix(const QVariant& megahertz);
    // The speed of a raw speed text ("2400 MHz", "2.4 GHz") formatted "2.40 GHz" / "733 MHz" style,
    // the value raised to a multiple of 10; empty when the text names no unit.
    static QString formatRawSpeed(const QString& speedText);

private:
    QString cleanedName(const QString& valueName);

    ValueReader readValue_;
    ProcessorInfoLibrary* library_;
};
