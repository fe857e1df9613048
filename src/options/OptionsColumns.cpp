#include "options/OptionsColumns.h"

#include <QLabel>

namespace OptionsColumns {

namespace {
QLabel* heading(const QString& text, const char* name, int left, int top, int width, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(left, top, width, 18);
    return label;
}
}  // namespace

void addHeadings(QWidget* page) {
    heading(QStringLiteral("Threshold"), "Label1", kBoxLeft - 10, 6, kBoxWidth + 36, page);
    heading(QStringLiteral(" Item "), "Label4", kCheckLeft, 22, kCheckWidth, page)
        ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    heading(QStringLiteral(" Status "), "Label3", kBarLeft, 22, kBarWidth, page);
    heading(QStringLiteral("   Level   "), "Label2", kBoxLeft - 10, 22, kBoxWidth + 36, page);
}

}  // namespace OptionsColumns
