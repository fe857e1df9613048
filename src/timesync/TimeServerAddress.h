#pragma once

#include <QString>
#include <optional>

// A time server as a user writes it: "host", "host:port", "[IPv6 address]", "[IPv6 address]:port"
// or a bare IPv6 address. Only the form is checked here; whether the host exists is for the lookup.
struct TimeServerAddress {
    static constexpr quint16 kDefaultPort = 123;

    QString host;
    quint16 port = kDefaultPort;
};

// The address written in `text` (surrounding blanks allowed), or nothing, with the reason in
// `problem` when given: "\"notaport\" is not a port number from 1 to 65535", for example. Every
// place that takes a server from the user checks it here, so they all accept the same forms.
std::optional<TimeServerAddress> parseTimeServerAddress(const QString& text, QString* problem = nullptr);
