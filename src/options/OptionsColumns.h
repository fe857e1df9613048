#pragma once

class QWidget;

// The columns of the option pages with a row per item ("Statistics" and "More"), in pixels, so
// that both pages read alike.
namespace OptionsColumns {
constexpr int kCheckLeft = 10;
constexpr int kCheckWidth = 200;
constexpr int kBarLeft = 215;
constexpr int kBarWidth = 150;
constexpr int kBoxLeft = 380;
constexpr int kBoxWidth = 46;
constexpr int kRowsTop = 46;
constexpr int kThresholdStep = 5;

// The headings above the rows: "Threshold" over " Item ", " Status " and "   Level   ".
void addHeadings(QWidget* page);
}  // namespace OptionsColumns
