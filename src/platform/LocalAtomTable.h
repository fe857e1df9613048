#pragma once

#include <QString>
#include <map>

// Atoms kept inside this process, for window systems that have no shared atom table. Atoms start
// at 0xC000 like the global ones they stand in for; names longer than 255 characters or empty
// names are refused, and one name interned twice gives the same atom.
class LocalAtomTable {
public:
    quint32 add(const QString& name);
    QString name(quint32 atom) const;
    void remove(quint32 atom);

private:
    struct Entry {
        QString name;
        int references = 0;
    };
    std::map<quint32, Entry> entries_;
    quint32 next_ = 0xC000;
};
