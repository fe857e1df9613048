#include "platform/linux/LinuxMemoryStatus.h"

#include "platform/RoundHalfToEven.h"

#include <array>
#include <limits>
#include <string_view>

namespace {

// The kB figure of one "Name:   12345 kB" line; nothing when it is not a clean number.
std::optional<quint64> kibibytes(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
    const size_t digitsStart = at;
    quint64 value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        if (value > (std::numeric_limits<quint64>::max() / 4096 - 9) / 10) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<quint64>(text[at] - '0');
        ++at;
    }
    if (at == digitsStart) {
        return std::nullopt;
    }
    const std::string_view rest = text.substr(at);
    if (rest != " kB" && !rest.empty()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<MemoryStatus> LinuxMemoryStatus::read() {
    if (!meminfo_.read(buffer_, qsizetype(64) * 1024)) {
        return std::nullopt;
    }
    return parse(buffer_);
}

std::optional<MemoryStatus> LinuxMemoryStatus::parse(const QByteArray& meminfo) {
    enum Field { MemTotal, MemAvailable, MemFree, Buffers, Cached, SwapTotal, SwapFree, FieldCount };
    static constexpr std::array<std::string_view, FieldCount> names = {
        "MemTotal", "MemAvailable", "MemFree", "Buffers", "Cached", "SwapTotal", "SwapFree"};
    std::array<std::optional<quint64>, FieldCount> values{};

    const std::string_view text(meminfo.constData(), static_cast<size_t>(meminfo.size()));
    size_t lineStart = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            lineEnd = text.size();
        }
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            continue;
        }
        const std::string_view name = line.substr(0, colon);
        for (int field = 0; field < FieldCount; ++field) {
            if (name == names[static_cast<size_t>(field)]) {
                values[static_cast<size_t>(field)] = kibibytes(line.substr(colon + 1));
                break;
            }
        }
    }

    const auto& total = values[MemTotal];
    if (!total || *total == 0 || !values[SwapTotal] || !values[SwapFree]) {
        return std::nullopt;
    }
    // Kernels before 3.14 have no MemAvailable: free plus page cache comes closest.
    std::optional<quint64> available = values[MemAvailable];
    if (!available) {
        if (!values[MemFree] || !values[Buffers] || !values[Cached]) {
            return std::nullopt;
        }
        available = *values[MemFree] + *values[Buffers] + *values[Cached];
    }
    const quint64 availPhys = std::min(*available, *total);
    const quint64 swapTotal = *values[SwapTotal];
    const quint64 swapFree = std::min(*values[SwapFree], swapTotal);

    MemoryStatus status;
    status.totalPhys = *total * 1024;
    status.availPhys = availPhys * 1024;
    status.totalPageFile = swapTotal * 1024;
    status.availPageFile = swapFree * 1024;
    status.totalVirtual = status.totalPhys + status.totalPageFile;
    status.availVirtual = status.availPhys + status.availPageFile;
    // Percent in use.
    status.memoryLoad =
        static_cast<quint32>(divideRoundHalfToEven(static_cast<__int128>(*total - availPhys) * 100, *total));
    return status;
}
