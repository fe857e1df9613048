#include "app/LoginStartupEntry.h"

#include "app/StartupShortcut.h"

#include <QCoreApplication>
#include <QMessageBox>

bool LoginStartupEntry::exists() {
    return StartupShortcut().exists();
}

void LoginStartupEntry::setPresent(bool present) {
    if (!present) {
        StartupShortcut().RemoveStartupShortcut();
        return;
    }
    const QString failure = StartupShortcut().CreateShortcut(QCoreApplication::applicationFilePath());
    if (!failure.isEmpty()) {
        QMessageBox::information(nullptr, QStringLiteral("Quorvane"), failure);
    }
}
