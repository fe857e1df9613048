#pragma once

#include <QObject>
#include <QString>

// The numeric entry box without its text box: cleaning typed or pasted text back into a plain
// number, filling a number into a picture format such as "##0%" or "###,##0.00;(##,###.00)", the
// digit limit and key filter, and the optional limits. The widget (NumberBoxEdit) shows `text()`
// and reports every edit, focus change and clipboard key here.
class NumberBox : public QObject {
    Q_OBJECT

public:
    static constexpr double kDefaultMaxValue = 999999.99;
    static inline const QString kDefaultFormat = QStringLiteral("###,##0.00;(##,###.00)");

    explicit NumberBox(QObject* parent = nullptr);

    // --- Pure text rules ---------------------------------------------------------------------
    struct Cleaned {
        QString text;             // digits, at most one ".", perhaps a leading "-"
        bool nonNegative = true;  // the number is 0 or more (or its sign was dropped)
    };
    static Cleaned clean(const QString& text, bool positiveOnly);
    // Fills a cleaned number into the picture; a second section after ";" serves negative numbers.
    static QString formatNumber(const QString& cleaned, bool nonNegative, const QString& format,
                                bool positiveOnly);
    // How many characters may be typed: the longer section's length, without a closing ")".
    static int digitLimitOf(const QString& format);
    // The numeric value of a cleaned text; 0 when it holds no number.
    static double numberOf(const QString& cleaned);
    // A number as plain decimal text, never in exponent form ("1234.5", "-3", "75").
    static QString plainText(double number);

    // --- Properties ----------------------------------------------------------------------------
    double value() const;
    // The text becomes the number, formatted; while the box is being edited, the bare number.
    void setValue(double number);
    double maxValue() const { return maxValue_; }
    void setMaxValue(double limit);
    double minValue() const { return minValue_; }
    void setMinValue(double limit);
    bool useMaxMinValues() const { return useLimits_; }
    void setUseMaxMinValues(bool use);
    QString format() const { return format_; }
    void setFormat(const QString& format);
    // A picture with enforced limits, as every box of the Options dialog has.
    void setLimitedPicture(const QString& format, double minimum, double maximum, bool positiveOnly);
    int digitLimit() const { return digitLimit_; }
    bool positiveOnly() const { return positiveOnly_; }
    void setPositiveOnly(bool on) { positiveOnly_ = on; }
    bool locked() const { return locked_; }
    void setLocked(bool on) { locked_ = on; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool on) { enabled_ = on; }
    bool hasFocus() const { return hasFocus_; }

    // --- What the text box reports -------------------------------------------------------------
    QString text() const { return text_; }
    // Whether a typed character is kept, given the text box's selection.
    bool acceptsCharacter(QChar ch, int selectionStart, int selectionLength) const;
    // The text box's text changed (typing, deleting, or a text set here).
    void textEdited(const QString& text);
    // Focus arrives: the bare number to edit (unchanged text when locked or disabled).
    QString focusEntered();
    // Focus leaves: the limits applied and the number formatted for display.
    QString focusLeft();
    // Ctrl+V: the pasted text, cleaned and formatted.
    QString pasted(const QString& clipboardText);
    // The current text formatted for display.
    QString formatted() const;

Q_SIGNALS:
    void Change();
    // The box itself replaced the text (value set, limits applied): the text box shows this.
    void textReplaced(const QString& text);

private:
    bool editing() const;
    void clampToLimits();
    void replaceText(const QString& text);

    QString text_;
    QString snapshot_;
    double maxValue_ = kDefaultMaxValue;
    double minValue_ = 0;
    bool useLimits_ = false;
    QString format_ = kDefaultFormat;
    int digitLimit_ = 10;
    bool positiveOnly_ = false;
    bool locked_ = false;
    bool enabled_ = true;
    bool hasFocus_ = false;
    bool replacing_ = false;
};
