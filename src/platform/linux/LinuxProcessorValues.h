#pragma once

#include "platform/SystemValueReader.h"
#include "platform/linux/SystemFiles.h"

// The processor key of the system values, served from /proc/cpuinfo and cpufreq:
//   "ProcessorNameString" - "model name" of the first processor (text)
//   "~MHz"                - cpu0's cpufreq cpuinfo_max_freq, else cpuinfo "cpu MHz" (number)
//   "VendorIdentifier"    - "vendor_id"; on ARM the implementer and part (text)
// under LocalMachine "hardware\description\system\centralprocessor\0". Every other key is missing.
class LinuxProcessorValues : public SystemValueReader {
public:
    explicit LinuxProcessorValues(SystemFiles files) : files_(std::move(files)) {}
    SystemValue read(SystemValueRoot root, const QString& subKey, const QString& valueName) override;

    static const QString& processorKey();

private:
    SystemFiles files_;
};
