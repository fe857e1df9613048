#pragma once

#include "widgets/BalloonLayout.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QToolButton;

// A balloon tip of our own: a bold title, a text in a font the caller chooses, a close button and a
// tail pointing at a screen position or at a widget's row of its window. It stays until closed, never takes
// the focus, and reports every closing with who closed it.
class Balloon : public QWidget {
    Q_OBJECT

public:
    enum class ClosedBy { User, Program };
    Q_ENUM(ClosedBy)

    explicit Balloon(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const;
    // Replaces the text; a shown balloon keeps pointing at its target and grows or shrinks in place.
    void setText(const QString& text);
    QString text() const { return text_; }
    void setTextFont(const QFont& font);
    QFont textFont() const;

    // Shows the balloon (or moves the shown one) with its tail at a screen position, in pixels.
    void showAt(QPoint screenPosition);
    // Shows the balloon beside the anchor's window, its tail at the window's edge level with the
    // anchor (found afresh at each re-layout): it covers nothing in that window, so the pointer
    // reaches every other widget there and the anchor's own content stays in sight.
    void showBeside(QWidget* anchor);

    // Closes a shown balloon as the program; closed(Program) follows. Nothing when not shown.
    void dismiss();

    bool isShown() const { return isVisible(); }
    const BalloonLayout& currentLayout() const { return layout_; }
    QToolButton* closeButton() const { return closeButton_; }

Q_SIGNALS:
    void closed(Balloon::ClosedBy by);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showAtTarget(const QRect& target);
    void relayout();
    QRect currentTarget() const;
    QPainterPath outline() const;

    QLabel* titleLabel_;
    QLabel* textLabel_;
    QToolButton* closeButton_;
    QString text_;
    QRect targetRect_;
    bool hasTarget_ = false;
    QPointer<QWidget> anchor_;
    BalloonLayout layout_;
};
