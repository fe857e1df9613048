#include "options/NumberBoxEdit.h"

#include "stats/SysInfo.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace {
constexpr int kMinimumHeightTwips = 255;
}

NumberBoxEdit::NumberBoxEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Text comes in by keys only, each one through the filter: no menu to paste from, no drops.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    connect(this, &QLineEdit::textChanged, &box_, &NumberBox::textEdited);
    connect(&box_, &NumberBox::textReplaced, this, [this](const QString& text) {
        if (QLineEdit::text() != text) {
            setText(text);
        }
    });
    connect(&box_, &NumberBox::Change, this, &NumberBoxEdit::Change);
}

int NumberBoxEdit::minimumHeightPixels() {
    return (kMinimumHeightTwips + SysInfo::twipsPerPixelY() - 1) / SysInfo::twipsPerPixelY();
}

bool NumberBoxEdit::clipboardKey(QKeyEvent* event) {
    if (event->modifiers() != Qt::ControlModifier) {
        return false;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    switch (event->key()) {
        case Qt::Key_C:
            clipboard->setText(text());
            return true;
        case Qt::Key_X:
            clipboard->setText(text());
            if (!box_.locked()) {
                setText(QString());
            }
            return true;
        case Qt::Key_V:
            if (!box_.locked()) {
                box_.pasted(clipboard->text());
                selectAll();
            }
            return true;
        default:
            return false;
    }
}

void NumberBoxEdit::keyPressEvent(QKeyEvent* event) {
    // Shift+Insert and friends would bypass the cleaning.
    if (clipboardKey(event) || event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) {
        event->accept();
    } else {
        const QString typed = event->text();
        const bool character = typed.size() == 1 && typed.at(0).isPrint() &&
                               !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (!character || box_.acceptsCharacter(typed.at(0), selectionStart(), int(selectedText().size()))) {
            QLineEdit::keyPressEvent(event);
        } else {
            event->accept();
        }
    }
    Q_EMIT KeyDown(event->key(), event->modifiers());
}

void NumberBoxEdit::typeIn(const QString& text) {
    if (box_.locked()) {
        return;
    }
    for (const QChar ch : text) {
        if (ch.isPrint() && box_.acceptsCharacter(ch, selectionStart(), int(selectedText().size()))) {
            insert(QString(ch));
        }
    }
}

void NumberBoxEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the X selection; it is typed in rather than inserted whole.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        event->accept();
        if (rect().contains(event->position().toPoint())) {
            deselect();
            typeIn(QGuiApplication::clipboard()->text(QClipboard::Selection));
        }
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void NumberBoxEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    box_.focusEntered();
    if (!box_.locked() && isEnabled()) {
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        // After the mouse press that brought the focus has placed the caret.
        QTimer::singleShot(0, this, [this] {
            if (hasFocus()) {
                selectAll();
            }
        });
    } else {
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
}

void NumberBoxEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    box_.focusLeft();
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void NumberBoxEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        box_.setEnabled(isEnabled());
    }
}

void NumberBoxEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    if (height() < minimumHeightPixels()) {
        resize(width(), minimumHeightPixels());
    }
}
