#include "stats/SysInfo.h"

// Placeholder until the work-area and mount-table watcher land.
SysInfo::SysInfo(QObject* parent) : QObject(parent) {}
SysInfo::~SysInfo() = default;
int SysInfo::WorkAreaHeight() const { return 0; }
int SysInfo::WorkAreaWidth() const { return 0; }
int SysInfo::twipsPerPixelX() { return 15; }
int SysInfo::twipsPerPixelY() { return 15; }
