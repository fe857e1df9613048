#pragma once

#include <QString>
#include <QtGlobal>

// Named values of the system grouped under keys, in the manner of a registry: what the program
// reads about the processor. Key paths and value names match without regard to letter case.
enum class SystemValueRoot { LocalMachine, CurrentUser };

struct SystemValue {
    enum class Status {
        KeyMissing,    // the key cannot be opened
        AccessDenied,  // the key exists but may not be read
        ValueMissing,  // the key has no such value
        ReadFailed,    // the value exists but reading its data failed
        Text,
        Number,  // 32-bit number
        OtherType,
    };
    Status status = Status::KeyMissing;
    QString text;
    quint32 number = 0;
};

class SystemValueReader {
public:
    virtual ~SystemValueReader() = default;
    virtual SystemValue read(SystemValueRoot root, const QString& subKey, const QString& valueName) = 0;
};
