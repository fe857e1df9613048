#include "timesync/TimeServer.h"

#include "timezone/RecordText.h"

#include <functional>
#include <vector>

namespace {

constexpr int kFieldCount = 43;

// One step of reading the text form: a field and what it sets. A step fails when the text has no
// such field or the field does not convert.
struct ReadStep {
    int field;
    std::function<bool(const QString&)> assign;
};

bool runSteps(const QStringList& fields, const std::vector<ReadStep>& steps) {
    for (const ReadStep& step : steps) {
        if (step.field >= fields.size() || !step.assign(fields[step.field])) {
            return false;
        }
    }
    return true;
}

ReadStep text(int field, QString& member) {
    return {field, [&member](const QString& value) {
                member = value;
                return true;
            }};
}

ReadStep boolean(int field, bool& member) {
    return {field, [&member](const QString& value) {
                const auto converted = RecordText::toBoolean(value);
                if (converted) {
                    member = *converted;
                }
                return converted.has_value();
            }};
}

// A stratum the list did not know ("?") reads as -1.
ReadStep stratum(int field, int& member) {
    return {field, [&member](const QString& value) {
                member = RecordText::toLong(value).value_or(-1);
                return true;
            }};
}

ReadStep integer(int field, int& member) {
    return {field, [&member](const QString& value) {
                const auto converted = RecordText::toLong(value);
                if (converted) {
                    member = *converted;
                }
                return converted.has_value();
            }};
}

}  // namespace

void TimeServer::recordSntpReply(int stratum, int roundTripMs) {
    sntpSupported_ = true;
    stratum_ = stratum;
    if (roundTrip_ < 1) {
        roundTrip_ = roundTripMs;
    }
    enabled_ = true;
}

TimeZone& TimeServer::timeZone() {
    if (!timeZone_) {
        timeZone_.emplace();
    }
    return *timeZone_;
}

void TimeServer::setTimeZone(const TimeZone& zone) {
    timeZone_ = zone;
}

QString TimeServer::Serialize(int format) const {
    using RecordText::fromBoolean16;
    QStringList fields(kFieldCount);
    fields[0] = QStringLiteral("1");
    fields[1] = fromBoolean16(enabled_);
    fields[2] = country_;
    fields[3] = state_;
    fields[4] = city_;
    fields[5] = hostName_;
    fields[6] = QString::number(stratum_);
    fields[7] = location_;
    fields[8] = coords_;
    fields[9] = serviceArea_;
    fields[10] = policy_;
    fields[11] = contact_;
    fields[12] = syncProto_;
    fields[13] = syncHardware_;
    fields[14] = serverOpSys_;
    fields[15] = serverHardware_;
    fields[16] = tag_;
    fields[21] = fromBoolean16(sntpSupported_);
    fields[27] = fromBoolean16(timeSupported_);
    fields[31] = fromBoolean16(daytimeSupported_);
    fields[32] = QString::number(daytimeFormat_);
    return fields.join(FieldSeparator(format));
}

bool TimeServer::setSerialize(int format, const QString& text) {
    if (text.isEmpty()) {
        return true;
    }
    const QStringList fields = RecordText::splitFields(text, FieldSeparator(format));
    const auto version = RecordText::toLong(fields[0]);
    if (version == 1) {
        return readVersion1(fields);
    }
    if (version == 0) {
        return readVersion0(fields);
    }
    return true;
}

bool TimeServer::readVersion1(const QStringList& fields) {
    return runSteps(fields, {
                                boolean(1, enabled_),
                                text(2, country_),
                                text(3, state_),
                                text(4, city_),
                                text(5, hostName_),
                                text(7, location_),
                                text(8, coords_),
                                text(9, serviceArea_),
                                text(10, policy_),
                                text(12, syncProto_),
                                text(13, syncHardware_),
                                text(14, serverOpSys_),
                                text(15, serverHardware_),
                                text(11, contact_),
                                text(16, tag_),
                                boolean(21, sntpSupported_),
                                stratum(6, stratum_),
                                boolean(27, timeSupported_),
                                boolean(31, daytimeSupported_),
                                integer(32, daytimeFormat_),
                            });
}

bool TimeServer::readVersion0(const QStringList& fields) {
    // City, SyncHardware and ServerOpSys are not part of this older layout.
    return runSteps(fields, {
                                boolean(1, enabled_),
                                text(3, country_),
                                text(4, state_),
                                text(5, hostName_),
                                text(6, location_),
                                text(7, coords_),
                                text(8, serviceArea_),
                                text(9, policy_),
                                text(10, syncProto_),
                                text(11, serverHardware_),
                                text(12, contact_),
                                text(13, tag_),
                                boolean(18, sntpSupported_),
                                stratum(19, stratum_),
                                boolean(25, timeSupported_),
                                boolean(29, daytimeSupported_),
                                integer(30, daytimeFormat_),
                            });
}

QString TimeServer::FieldSeparator(int format) {
    switch (format) {
        case 1:
            return QStringLiteral(";");
        case 3:
            return {};
        default:
            return QStringLiteral("\t");
    }
}
