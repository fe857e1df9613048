#pragma once

#include "platform/TimeZoneSource.h"
#include "timezone/ZoneRule.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// One time zone: its name, its offsets from UTC (minutes to add to UTC: -300 five hours west) in
// standard and in daylight-saving time, and its two change-over rules. A new zone describes the
// computer's zone. Local date-times taken and given are wall-clock readings (see WallClock.h); an
// invalid date-time argument means now.
class TimeZone {
public:
    TimeZone();  // the computer's zone
    explicit TimeZone(const TimeZoneSource& source);
    TimeZone(const TimeZoneSource& source, int currentYear);

    QString RawName() const { return rawName_; }
    QString Name() const { return rawName_ + QStringLiteral(" Time"); }
    // Keeps the base name only: "  Eastern  Standard Time " becomes "Eastern".
    void setName(const QString& name);
    QString StdName() const { return rawName_ + QStringLiteral(" Standard Time"); }
    QString DstName() const { return rawName_ + QStringLiteral(" Daylight Time"); }
    QString Desc() const { return desc_; }
    void setDesc(const QString& value);
    QString PrevName() const { return prevName_; }
    QString MapId() const { return mapId_; }
    void setMapId(const QString& value);
    QString SntpServer() const { return sntpServer_; }
    void setSntpServer(const QString& value) { sntpServer_ = value; }
    QString TimeZoneRegKey() const { return zoneDirectory_; }

    int StdBiasGMT() const { return stdBias_; }
    void setStdBiasGMT(int value);
    int DstBiasGMT() const { return dstBias_; }
    void setDstBiasGMT(int value);
    const ZoneRule& StdBeg() const { return stdBeg_; }
    void setStdBeg(const ZoneRule& rule);
    const ZoneRule& DstBeg() const { return dstBeg_; }
    void setDstBeg(const ZoneRule& rule);

    // The stored flag while both rules name a month, else false.
    bool DstEnabled() const { return hasRules() && dstFlag_; }
    void setDstEnabled(bool value);
    bool DstAvailable() const { return hasRules() && stdBias_ != dstBias_; }

    int Index() const { return index_; }
    void setIndex(int value);
    bool Deleted() const { return deleted_; }
    void setDeleted(bool value);  // a read-only zone is hidden instead
    bool Hidden() const { return hidden_; }
    void setHidden(bool value);
    bool ReadOnly() const { return readOnly_; }
    void setReadOnly(bool value);
    bool OrigActive() const { return origActive_; }
    void setOrigActive(bool value) { origActive_ = value; }
    bool Dirty() const { return dirty_; }

    // Whether daylight-saving time is in effect at a local date-time, judged by the change-overs of
    // the current year whatever the year of when.
    bool DstActive(const QDateTime& when = {}) const;
    bool StdActive(const QDateTime& when = {}) const { return !DstActive(when); }
    int BiasGMT(const QDateTime& when = {}) const;

    QDateTime DateTimeGMT() const;  // UTC now, to the second
    QDate DateGMT() const { return DateTimeGMT().date(); }
    QTime TimeGMT() const { return DateTimeGMT().time(); }
    // A UTC date-time as this zone's wall clock, with the offset in force now.
    QDateTime DateTimeLocal(const QDateTime& gmt = {}) const;
    QDate DateLocal(const QDate& gmt = {}) const;
    QTime TimeLocal(const QTime& gmt = {}) const;

    // "GMT-05:00" for -300 with the prefix GMT, "+05:30" for 330 without one.
    static QString DispBias(int bias, const QString& prefix = {});

    // Same name (or this zone's earlier name), offsets, daylight-saving use and change-overs.
    bool Equals(const TimeZone& other) const;
    // Whether this zone has the computer's offsets and change-overs. The system's zone carries no
    // name, so names are not compared.
    bool Active() const;
    bool Active(const TimeZoneSource& source) const;

    // One line of 29 delimited fields, layout version "0".
    QString Serialize(int format) const;
    // Reads a line written by Serialize. A text that is empty, too short or of another version is
    // ignored (true). A field that does not convert stops the reading there (false); the fields
    // before it keep their new values.
    bool setSerialize(int format, const QString& text);

    static QString FieldSeparator(int format);

private:
    bool hasRules() const { return stdBeg_.Month() != 0 && dstBeg_.Month() != 0; }
    bool sameClock(const TimeZone& other) const;
    void change(bool& member, bool value);

    QString rawName_;
    QString desc_;
    QString prevName_;
    QString mapId_;
    QString sntpServer_;
    QString zoneDirectory_;
    int stdBias_ = 0;
    int dstBias_ = 0;
    ZoneRule stdBeg_;
    ZoneRule dstBeg_;
    bool dstFlag_ = true;
    int index_ = -1;
    bool deleted_ = false;
    bool hidden_ = false;
    bool readOnly_ = false;
    bool origActive_ = false;
    bool dirty_ = false;
};
