#pragma once

#include "timesync/HostResolver.h"
#include "timezone/TimeZone.h"

#include <QString>
#include <optional>

// One internet time server of the built-in list: where it is, who runs it, which protocols it answers
// and what synchronising has taught about it. Its text form is 43 fields, layout version 1, in which
// booleans are -1 and 0.
class TimeServer {
public:
    int Index() const { return index_; }
    void setIndex(int value) { index_ = value; }
    bool Enabled() const { return enabled_; }
    void setEnabled(bool value) { enabled_ = value; }
    bool Deleted() const { return deleted_; }
    void setDeleted(bool value) { deleted_ = value; }
    QString Country() const { return country_; }
    void setCountry(const QString& value) { country_ = value; }
    QString State() const { return state_; }
    void setState(const QString& value) { state_ = value; }
    QString City() const { return city_; }
    void setCity(const QString& value) { city_ = value; }
    QString HostName() const { return hostName_; }
    void setHostName(const QString& value) { hostName_ = value; }
    int Stratum() const { return stratum_; }  // -1: the list did not know it
    void setStratum(int value) { stratum_ = value; }
    QString Location() const { return location_.isEmpty() ? country_ : location_; }
    void setLocation(const QString& value) { location_ = value; }
    QString Coords() const { return coords_; }
    void setCoords(const QString& value) { coords_ = value; }
    QString ServiceArea() const { return serviceArea_.isEmpty() ? Location() : serviceArea_; }
    void setServiceArea(const QString& value) { serviceArea_ = value; }
    QString Policy() const { return policy_; }
    void setPolicy(const QString& value) { policy_ = value; }
    QString Contact() const { return contact_; }
    void setContact(const QString& value) { contact_ = value; }
    QString SyncProto() const { return syncProto_; }
    void setSyncProto(const QString& value) { syncProto_ = value; }
    QString SyncHardware() const { return syncHardware_; }
    void setSyncHardware(const QString& value) { syncHardware_ = value; }
    QString ServerOpSys() const { return serverOpSys_; }
    void setServerOpSys(const QString& value) { serverOpSys_ = value; }
    QString ServerHardware() const { return serverHardware_; }
    void setServerHardware(const QString& value) { serverHardware_ = value; }
    QString Tag() const { return tag_; }
    void setTag(const QString& value) { tag_ = value; }
    bool SntpSupported() const { return sntpSupported_; }
    void setSntpSupported(bool value) { sntpSupported_ = value; }
    bool TimeSupported() const { return timeSupported_; }
    void setTimeSupported(bool value) { timeSupported_ = value; }
    bool DaytimeSupported() const { return daytimeSupported_; }
    void setDaytimeSupported(bool value) { daytimeSupported_ = value; }
    // 0 while DAYTIME is not supported; the stored code is kept for the text form.
    int DaytimeFormat() const { return daytimeSupported_ ? daytimeFormat_ : 0; }
    void setDaytimeFormat(int value) { daytimeFormat_ = value; }
    int RoundTrip() const { return roundTrip_; }  // milliseconds of the first successful exchange
    void setRoundTrip(int value) { roundTrip_ = value; }

    // What a valid SNTP reply teaches: the server answers SNTP at its stratum and may be used; the
    // first measured round trip stays.
    void recordSntpReply(int stratum, int roundTripMs);

    // The zone kept with the record; a new one (the computer's zone) when none is held. Named in
    // lower case because TimeZone is the class.
    TimeZone& timeZone();
    void setTimeZone(const TimeZone& zone);

    // HostName resolved anew on every read by the installed resolver; empty when it does not resolve.
    QString IpAddr() const { return IpAddr(installedHostResolver()); }
    QString IpAddr(const HostResolver& resolver) const { return resolver.resolveHostAddress(hostName_); }

    QString Serialize(int format) const;
    // Reads a text of layout version 0 or 1 and assigns the fields it carries. A text that is empty or
    // has no version 0 or 1 in its first field is ignored (true). A text too short for a step, or
    // with a boolean that is not one, stops there (false); the fields before it keep their new values.
    bool setSerialize(int format, const QString& text);

    static QString FieldSeparator(int format);

private:
    bool readVersion1(const QStringList& fields);
    bool readVersion0(const QStringList& fields);

    int index_ = -1;
    bool enabled_ = true;
    bool deleted_ = false;
    QString country_;
    QString state_;
    QString city_;
    QString hostName_;
    int stratum_ = 0;
    QString location_;
    QString coords_;
    QString serviceArea_;
    QString policy_;
    QString contact_;
    QString syncProto_;
    QString syncHardware_;
    QString serverOpSys_;
    QString serverHardware_;
    QString tag_;
    bool sntpSupported_ = true;
    bool timeSupported_ = false;
    bool daytimeSupported_ = false;
    int daytimeFormat_ = 0;
    int roundTrip_ = 0;
    std::optional<TimeZone> timeZone_;
};
