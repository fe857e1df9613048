#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>

class QLabel;

// The About box: title, version, description, the project's web and e-mail links when the build
// names them, "Update Check" and "OK". OK, Escape (wherever the focus is) and the close box end it.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    // Opens a link with the desktop's handler; true when one took it. Tests pass their own.
    using UrlOpener = std::function<bool(const QUrl&)>;

    struct Addresses {
        QString web;      // empty: no web link
        QString contact;  // empty: no e-mail link
    };

    frmAbout(std::function<void()> updateCheck, UrlOpener openUrl = desktopOpener(),
             Addresses addresses = builtInAddresses(), QWidget* parent = nullptr);

    static UrlOpener desktopOpener();
    static Addresses builtInAddresses();
    // The message the e-mail link starts: to the address, subject "Quorvane, Version X.Y".
    static QUrl mailUrl(const QString& address);

    static QString descriptionText();
    static QString mailFailureText();

private:
    QLabel* addLink(const QString& name, const QString& address, const QString& tooltip,
                    void (frmAbout::*onClick)());
    void WebLink_Click();
    void EmailLink_Click();

    std::function<void()> updateCheck_;
    UrlOpener openUrl_;
    Addresses addresses_;
};
