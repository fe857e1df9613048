#pragma once

#include <QString>
#include <compare>
#include <optional>

// A program version as the version file states it: major and minor number, "3.10".
struct UpdateVersion {
    int major = 0;
    int minor = 0;

    // The longest version text taken seriously; anything longer is an error page or the like.
    static constexpr int kMaxTextLength = 8;

    // Reads "number.number" (surrounding white space allowed); nothing for any other text.
    static std::optional<UpdateVersion> parse(const QString& text);
    QString text() const;

    auto operator<=>(const UpdateVersion&) const = default;
};

// True when the fetched version text names a version newer than `own`, compared as numbers. A
// text that is too long or not a version is never newer.
bool isNewerVersion(const QString& fetchedText, const UpdateVersion& own);
