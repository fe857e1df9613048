#pragma once

#include <QString>
#include <array>

// The eight fixed statistic items, by index, and the settings suffix of each ("Show" + suffix,
// "Level" + suffix). Extra fixed drives follow, keyed by their letter D to Z.
enum class StatisticItem : int {
    CPU = 0,
    PhysMem = 1,
    VirtMem = 2,
    SysRsrc = 3,
    GDIRsrc = 4,
    UserRsrc = 5,
    Battery = 6,
    CDrive = 7,
};

inline constexpr int kFixedItemCount = 8;
inline constexpr int kExtraDriveCount = 23;  // D to Z
inline constexpr char kFirstExtraDrive = 'D';

inline QString statisticSuffix(int index) {
    static const std::array<const char*, kFixedItemCount> suffixes = {
        "CPU", "PhysMem", "VirtMem", "SysRsrc", "GDIRsrc", "UserRsrc", "Battery", "CDrive"};
    return QString::fromLatin1(suffixes.at(static_cast<size_t>(index)));
}

inline QString driveSuffix(QChar letter) {
    return QString(letter.toUpper()) + QStringLiteral("Drive");
}
inline int driveIndex(QChar letter) {
    return letter.toUpper().unicode() - kFirstExtraDrive;
}
inline QChar driveLetter(int index) {
    return QChar(kFirstExtraDrive + index);
}
