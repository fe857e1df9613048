#include "timezone/TimeZone.h"

#include "platform/linux/LinuxTimeZoneSource.h"
#include "settings/DefaultTimeServer.h"
#include "timezone/RecordText.h"
#include "timezone/WallClock.h"
#include "timezone/ZoneInformationReader.h"

namespace {

constexpr int kFieldCount = 29;
constexpr int kRuleFormat = 2;

QDateTime begin(ZoneRule& rule, const TransitionDate& date) {
    return rule.Begin(date.year, date.month, date.day, date.dayOfWeek, date.hour, date.minute, date.second);
}

// Replaces every occurrence, also those that a replacement brings together.
QString replaceAll(QString text, const QString& word, const QString& by) {
    QString previous;
    do {
        previous = text;
        text.replace(word, by, Qt::CaseInsensitive);
    } while (text != previous);
    return text;
}

}  // namespace

TimeZone::TimeZone() : TimeZone(LinuxTimeZoneSource::instance()) {}

TimeZone::TimeZone(const TimeZoneSource& source) : TimeZone(source, QDate::currentDate().year()) {}

TimeZone::TimeZone(const TimeZoneSource& source, int currentYear) {
    zoneDirectory_ = source.zoneDirectory();
    // The switch turns automatic changes off when set; where it cannot be read they are on.
    const auto disabled = source.disableAutoDaylightTimeSet();
    dstFlag_ = !(disabled && *disabled != 0);
    const ZoneInformation information = ZoneInformationReader::read(source, currentYear);
    stdBias_ = information.stdBiasGMT;
    dstBias_ = information.dstBiasGMT;
    begin(dstBeg_, information.daylightDate);
    begin(stdBeg_, information.standardDate);
    sntpServer_ = defaultTimeServerHost();
}

void TimeZone::setName(const QString& name) {
    // Each removed word leaves a blank behind, so the words around it stay apart.
    QString text = name.trimmed() + QLatin1Char(' ');
    text = replaceAll(text, QStringLiteral(" Time "), QStringLiteral(" ")) + QLatin1Char(' ');
    text = replaceAll(text, QStringLiteral(" Standard "), QStringLiteral(" ")) + QLatin1Char(' ');
    text = replaceAll(text, QStringLiteral(" Daylight "), QStringLiteral(" "));
    text = replaceAll(text, QStringLiteral("  "), QStringLiteral(" ")).trimmed();
    if (text != rawName_) {
        rawName_ = text;
        dirty_ = true;
    }
    if (desc_.isEmpty()) {
        setDesc(rawName_ + QStringLiteral(" Time"));
    }
}

void TimeZone::setDesc(const QString& value) {
    if (value != desc_) {
        desc_ = value;
        dirty_ = true;
    }
}

void TimeZone::setMapId(const QString& value) {
    if (value != mapId_) {
        mapId_ = value;
        dirty_ = true;
    }
}

void TimeZone::setStdBiasGMT(int value) {
    if (value != stdBias_) {
        stdBias_ = value;
        dirty_ = true;
    }
}

void TimeZone::setDstBiasGMT(int value) {
    if (value != dstBias_) {
        dstBias_ = value;
        dirty_ = true;
    }
}

void TimeZone::setStdBeg(const ZoneRule& rule) {
    stdBeg_ = rule;
    dirty_ = true;
}

void TimeZone::setDstBeg(const ZoneRule& rule) {
    dstBeg_ = rule;
    dirty_ = true;
}

void TimeZone::setDstEnabled(bool value) {
    change(dstFlag_, value);
}

void TimeZone::setIndex(int value) {
    if (value != index_) {
        index_ = value;
        dirty_ = true;
    }
}

void TimeZone::setDeleted(bool value) {
    if (value && readOnly_) {
        change(deleted_, false);
        change(hidden_, true);
        return;
    }
    change(deleted_, value);
}

void TimeZone::setHidden(bool value) {
    change(hidden_, value);
}

void TimeZone::setReadOnly(bool value) {
    readOnly_ = value;
    if (readOnly_ && deleted_) {
        change(deleted_, false);
        change(hidden_, true);
    }
}

void TimeZone::change(bool& member, bool value) {
    if (member != value) {
        member = value;
        dirty_ = true;
    }
}

bool TimeZone::DstActive(const QDateTime& when) const {
    if (!hasRules()) {
        return false;
    }
    const QDateTime daylightStart = dstBeg_.EffectiveDate(0);
    const QDateTime standardStart = stdBeg_.EffectiveDate(0);
    if (!daylightStart.isValid() || !standardStart.isValid()) {
        return false;
    }
    const QDateTime moment = when.isValid() ? WallClock::of(when) : WallClock::now();
    if (standardStart > daylightStart) {  // northern pattern: daylight time within the year
        return daylightStart < moment && moment < standardStart;
    }
    return moment <= standardStart || moment >= daylightStart;
}

int TimeZone::BiasGMT(const QDateTime& when) const {
    return DstActive(when) ? dstBias_ : stdBias_;
}

QDateTime TimeZone::DateTimeGMT() const {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QTime time = now.time();
    return QDateTime(now.date(), QTime(time.hour(), time.minute(), time.second()), Qt::UTC);
}

QDateTime TimeZone::DateTimeLocal(const QDateTime& gmt) const {
    const QDateTime base = gmt.isValid() ? WallClock::of(gmt.toUTC()) : DateTimeGMT();
    return base.addSecs(qint64(BiasGMT()) * 60);
}

QDate TimeZone::DateLocal(const QDate& gmt) const {
    if (!gmt.isValid()) {
        return DateTimeLocal().date();
    }
    return WallClock::at(gmt).addSecs(qint64(BiasGMT()) * 60).date();
}

QTime TimeZone::TimeLocal(const QTime& gmt) const {
    const QTime base = gmt.isValid() ? gmt : TimeGMT();
    return base.addSecs(BiasGMT() * 60);
}

QString TimeZone::DispBias(int bias, const QString& prefix) {
    const qint64 magnitude = qAbs(qint64(bias));
    return prefix + (bias < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QStringLiteral("%1:%2")
               .arg(magnitude / 60, 2, 10, QLatin1Char('0'))
               .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

bool TimeZone::Equals(const TimeZone& other) const {
    const QString otherName = other.Name();
    if (otherName.compare(Name(), Qt::CaseInsensitive) != 0 &&
        otherName.compare(prevName_, Qt::CaseInsensitive) != 0) {
        return false;
    }
    return sameClock(other);
}

bool TimeZone::Active() const {
    return sameClock(TimeZone());
}

bool TimeZone::Active(const TimeZoneSource& source) const {
    return sameClock(TimeZone(source));
}

bool TimeZone::sameClock(const TimeZone& other) const {
    // Both sides' daylight flags as read, so a zone without change-overs equals itself.
    return other.dstBias_ == dstBias_ && other.stdBias_ == stdBias_ && other.DstEnabled() == DstEnabled() &&
           other.dstBeg_.EffectiveDate(0) == dstBeg_.EffectiveDate(0) &&
           other.stdBeg_.EffectiveDate(0) == stdBeg_.EffectiveDate(0);
}

QString TimeZone::Serialize(int format) const {
    using RecordText::fromBooleanWord;
    QStringList fields(kFieldCount);
    fields[0] = QStringLiteral("0");
    fields[1] = rawName_;
    fields[2] = desc_;
    fields[3] = fromBooleanWord(deleted_);
    fields[4] = fromBooleanWord(hidden_);
    fields[5] = fromBooleanWord(dirty_);
    fields[6] = fromBooleanWord(dstFlag_);
    fields[7] = QString::number(dstBias_);
    fields[8] = dstBeg_.Serialize(kRuleFormat);
    fields[13] = QString::number(stdBias_);
    fields[14] = stdBeg_.Serialize(kRuleFormat);
    fields[19] = mapId_;
    fields[20] = QString::number(index_);
    fields[21] = fromBooleanWord(readOnly_);
    fields[22] = fromBooleanWord(origActive_);
    fields[23] = prevName_;
    fields[24] = sntpServer_;
    return fields.join(FieldSeparator(format));
}

bool TimeZone::setSerialize(int format, const QString& text) {
    if (text.isEmpty()) {
        return true;
    }
    const QStringList fields = RecordText::splitFields(text, FieldSeparator(format));
    if (fields.size() < kFieldCount || fields[0] != QLatin1String("0")) {
        return true;
    }
    const auto readBoolean = [&fields](int field, bool& member) {
        const auto value = RecordText::toBoolean(fields[field]);
        if (value) {
            member = *value;
        }
        return value.has_value();
    };
    const auto readLong = [&fields](int field, int& member) {
        const auto value = RecordText::toLong(fields[field]);
        if (value) {
            member = *value;
        }
        return value.has_value();
    };
    rawName_ = fields[1];
    if (!readBoolean(3, deleted_) || !readBoolean(4, hidden_) || !readBoolean(5, dirty_)) {
        return false;
    }
    desc_ = fields[2];
    if (!readBoolean(6, dstFlag_) || !readLong(7, dstBias_) ||
        !dstBeg_.setSerialize(kRuleFormat, fields[8]) || !readLong(13, stdBias_) ||
        !stdBeg_.setSerialize(kRuleFormat, fields[14])) {
        return false;
    }
    sntpServer_ = fields[24];
    if (!readLong(20, index_)) {
        return false;
    }
    mapId_ = fields[19];
    if (!readBoolean(21, readOnly_) || !readBoolean(22, origActive_)) {
        return false;
    }
    prevName_ = fields[23];
    return true;
}

QString TimeZone::FieldSeparator(int format) {
    switch (format) {
        case 1:
            return QStringLiteral(",");
        case 3:
            return {};
        default:
            return QStringLiteral("\t");
    }
}
