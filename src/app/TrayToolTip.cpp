#include "app/TrayToolTip.h"

namespace {
// Hosts may read the tooltip as markup: a mount point must not become a tag.
QString plainText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    text.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    text.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    return text;
}
}  // namespace

TrayToolTip::TrayToolTip(QString title, Hooks hooks, QObject* parent)
    : QObject(parent), title_(std::move(title)), hooks_(std::move(hooks)) {}

void TrayToolTip::start() {
    refresh();
    Timer.start();
}

void TrayToolTip::stop() {
    Timer.stop();
}

void TrayToolTip::refresh() {
    QString text = plainText(title_);
    if (hooks_.wanted()) {
        const QString lines = hooks_.lines();
        if (!lines.isEmpty()) {
            text += QLatin1Char('\n') + plainText(lines);
        }
    }
    if (text != sent_) {
        sent_ = text;
        hooks_.send(text);
    }
}
