#include "platform/linux/SharedSystemFile.h"

#include <ctime>

namespace {

qint64 monotonicNanoseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<qint64>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

SharedSystemFile::SharedSystemFile(const SystemFiles& files, const QString& systemPath, qsizetype maxBytes)
    : file_(files, systemPath), maxBytes_(maxBytes) {}

const QByteArray* SharedSystemFile::read(SampleReader& reader) {
    const qint64 now = monotonicNanoseconds();
    const bool readByAnother = generation_ != 0 && reader.seen != generation_;
    if (!readByAnother || now - readAt_ > kFreshForNanoseconds) {
        readable_ = file_.read(content_, maxBytes_);
        readAt_ = now;
        ++generation_;
    }
    reader.seen = generation_;
    return readable_ ? &content_ : nullptr;
}
