#include "app/frmAbout.h"

#include "app/AppIcon.h"
#include "settings/ProgramInfo.h"
#include "settings/ProgramVersion.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("Quorvane");
constexpr int kTextWidth = 360;

QLabel* wrappedLabel(const QString& name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setFixedWidth(kTextWidth);
    return label;
}
}  // namespace

frmAbout::frmAbout(std::function<void()> updateCheck, UrlOpener openUrl, Addresses addresses, QWidget* parent)
    : QDialog(parent),
      updateCheck_(std::move(updateCheck)),
      openUrl_(std::move(openUrl)),
      addresses_(std::move(addresses)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" About ") + kTitle);

    auto* image = new QLabel;
    image->setPixmap(AppIcon::pixmap(64));
    image->setAlignment(Qt::AlignTop);

    auto* lblTitle = new QLabel(kTitle);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    auto* lblVersion = new QLabel(ProgramVersion::label());
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addSpacing(8);
    text->addWidget(wrappedLabel(QStringLiteral("lblDescription"), descriptionText()));
    text->addSpacing(8);
    text->addWidget(wrappedLabel(
        QStringLiteral("lblDisclaimer"),
        QStringLiteral("Quorvane comes with no warranty of any kind.") +
            (addresses_.web.isEmpty() && addresses_.contact.isEmpty()
                 ? QString()
                 : QStringLiteral("  Comments and suggestions are welcome at the address below."))));

    auto* links = new QGridLayout;
    if (!addresses_.web.isEmpty()) {
        links->addWidget(new QLabel(QStringLiteral("Web site:")), 0, 0);
        links->addWidget(addLink(QStringLiteral("WebLink"), addresses_.web,
                                 QStringLiteral(" Visit the Quorvane web site "), &frmAbout::WebLink_Click),
                         0, 1, Qt::AlignLeft);
    }
    if (!addresses_.contact.isEmpty()) {
        links->addWidget(
            addLink(QStringLiteral("EmailLink"), addresses_.contact,
                    QStringLiteral(" Send an e-mail about Quorvane "), &frmAbout::EmailLink_Click),
            1, 1, Qt::AlignLeft);
    }
    links->setColumnStretch(1, 1);
    text->addLayout(links);

    auto* cmdSysInfo = new QPushButton(QStringLiteral("Update Check"));
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    auto* cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] {
        if (updateCheck_) {
            updateCheck_();
        }
    });
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);

    auto* body = new QHBoxLayout;
    body->addWidget(image, 0, Qt::AlignTop);
    body->addSpacing(12);
    body->addLayout(text);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

frmAbout::UrlOpener frmAbout::desktopOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

frmAbout::Addresses frmAbout::builtInAddresses() {
    return {QString::fromUtf8(ProgramInfo::kWebAddress), QString::fromUtf8(ProgramInfo::kContactAddress)};
}

QUrl frmAbout::mailUrl(const QString& address) {
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(address);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), kTitle + QStringLiteral(", ") + ProgramVersion::label());
    url.setQuery(query);
    return url;
}

QString frmAbout::descriptionText() {
    return QStringLiteral(
        "The Quorvane program is designed to display various types of information about your computer "
        "system, including CPU, memory, and resource usage, battery charge status and level (if "
        "applicable), and disk usage.  The program can also synchronize your computer's clock.");
}

QString frmAbout::mailFailureText() {
    return QStringLiteral("A problem has occurred while trying to send an e-mail.");
}

QLabel* frmAbout::addLink(const QString& name, const QString& address, const QString& tooltip,
                          void (frmAbout::*onClick)()) {
    auto* label = new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(address.toHtmlEscaped()));
    label->setObjectName(name);
    label->setToolTip(tooltip);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setCursor(Qt::PointingHandCursor);
    connect(label, &QLabel::linkActivated, this, onClick);
    return label;
}

void frmAbout::WebLink_Click() {
    openUrl_(QUrl(addresses_.web));  // a failure shows nothing
}

void frmAbout::EmailLink_Click() {
    if (!openUrl_(mailUrl(addresses_.contact))) {
        QMessageBox::warning(this, QStringLiteral(" ") + kTitle, mailFailureText(), QMessageBox::Ok);
    }
}
