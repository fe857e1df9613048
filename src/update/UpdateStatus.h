#pragma once

#include <QWidget>

class QLabel;

// The small window shown while the update package downloads.
class UpdateStatus : public QWidget {
    Q_OBJECT

public:
    explicit UpdateStatus(QWidget* parent = nullptr);

    QLabel* Label1() const { return label_; }

private:
    QLabel* label_;
};
