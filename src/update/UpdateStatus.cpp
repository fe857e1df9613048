#include "update/UpdateStatus.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

UpdateStatus::UpdateStatus(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint), label_(new QLabel(this)) {
    setObjectName(QStringLiteral("UpdateStatus"));
    setWindowTitle(QStringLiteral(" Quorvane"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setText(QStringLiteral("Downloading Update File"));
    label_->setAlignment(Qt::AlignCenter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(32, 20, 32, 20);
    layout->addWidget(label_);
    setCursor(Qt::BusyCursor);
    adjustSize();
    setFixedSize(size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}
