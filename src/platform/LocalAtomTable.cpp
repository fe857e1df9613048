#include "platform/LocalAtomTable.h"

namespace {
constexpr qsizetype kLongestName = 255;
}  // namespace

quint32 LocalAtomTable::add(const QString& name) {
    if (name.isEmpty() || name.size() > kLongestName) {
        return 0;
    }
    for (auto& [atom, entry] : entries_) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0) {
            ++entry.references;
            return atom;
        }
    }
    const quint32 atom = next_++;
    entries_[atom] = Entry{name, 1};
    return atom;
}

QString LocalAtomTable::name(quint32 atom) const {
    const auto found = entries_.find(atom);
    return found == entries_.end() ? QString() : found->second.name;
}

void LocalAtomTable::remove(quint32 atom) {
    const auto found = entries_.find(atom);
    if (found != entries_.end() && --found->second.references <= 0) {
        entries_.erase(found);
    }
}
