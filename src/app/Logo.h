#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;

// The start-up splash screen: a round-cornered panel with the program's name, its icon, a
// "please wait" line and the version, closing itself Timer1 (3 s) after it was loaded.
class Logo : public QWidget {
    Q_OBJECT

public:
    explicit Logo(QWidget* parent = nullptr);

    // Shows the splash screen and returns once it has closed; start-up waits here meanwhile, while
    // the window is painted and kept painted.
    void exec();

    QTimer Timer1;

Q_SIGNALS:
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool translucent_ = false;  // the rounded shape is painted, not cut out by a mask
    QLabel* addLabel(const QString& text, const QFont& font, const QRect& place, const QColor& colour,
                     Qt::Alignment alignment);
};
