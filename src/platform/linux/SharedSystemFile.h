#pragma once

#include "platform/SampleReader.h"
#include "platform/linux/KeptOpenFile.h"

#include <QByteArray>

// A system file several meters read in the same wake-up, as /proc/stat is by the total and the
// per-core CPU figures of every window: a meter gets the text another has just read (at most
// kFreshFor ago) instead of making the kernel build it again. A meter asking twice reads afresh,
// so none reads less often than it asks.
class SharedSystemFile {
public:
    static constexpr qint64 kFreshForNanoseconds = 50'000'000;

    SharedSystemFile(const SystemFiles& files, const QString& systemPath, qsizetype maxBytes);

    // The file's text, for the reader a meter keeps; nullptr when it cannot be read.
    const QByteArray* read(SampleReader& reader);

private:
    KeptOpenFile file_;
    qsizetype maxBytes_;
    QByteArray content_;
    bool readable_ = false;
    quint64 generation_ = 0;
    qint64 readAt_ = 0;
};
