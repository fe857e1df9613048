#include "platform/linux/WriteFailureReason.h"

#include <QTemporaryFile>

QString whyFolderIsNotWritable(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/.quorvane-probe-XXXXXX"));
    if (!probe.open()) {
        return probe.errorString();
    }
    // A full disk still lets a file be created; only the data does not fit.
    const QByteArray block(4096, 'x');
    if (probe.write(block) != block.size() || !probe.flush()) {
        return probe.errorString();
    }
    return {};
}
