#include "monitor/Display.h"

#include "monitor/ActivityRows.h"
#include "monitor/MonitorBalloonText.h"
#include "monitor/MonitorGeometry.h"
#include "platform/WindowSystem.h"
#include "settings/SettingsConversions.h"
#include "stats/StatisticLabels.h"
#include "widgets/EscapeReleaseCloser.h"
#include "widgets/LevelBar.h"
#include "widgets/LevelBarColours.h"
#include "widgets/WindowGeometry.h"
#include "widgets/WindowHelpers.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace monitor {

namespace {
using namespace MonitorGeometry;

const QString kMainLeft = QStringLiteral("MainLeft");
const QString kMainTop = QStringLiteral("MainTop");

constexpr int kBattery = int(StatisticItem::Battery);
constexpr int kCDrive = int(StatisticItem::CDrive);

QList<QRect> workAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.append(screen->availableGeometry());
    }
    return areas;
}

std::optional<int> storedTwips(const AppSettings& settings, const QString& key) {
    const std::optional<double> number = SettingsConversions::toNumber(settings.text(key, QString()));
    if (!number || std::abs(*number) > 1e7) {
        return std::nullopt;  // not a position: fall back to the default
    }
    return int(std::lround(*number));
}
}  // namespace

Display::Display(LiveOptions live, bool isNT, SystemInfoModule& stats, qint16& previousRowCount,
                 QWidget* parent)
    : QWidget(parent, Qt::Window),
      live_(live),
      settings_(live.settings),
      isNT_(isNT),
      previousRowCount_(previousRowCount),
      stats_(stats),
      balloon_(new Balloon(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" Quorvane"));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
    setMouseTracking(true);
    new EscapeReleaseCloser(this, EscapeReleaseCloser::Repeats::Close);
    // The designed caption column, widened where the font's captions would not fit it.
    captionWidth_ = std::max(kTextWidth / SysInfo::twipsPerPixelX(), widestCaption());

    Timer1.setInterval(900);
    Timer2.setInterval(1000);
    Timer3.setInterval(500);
    Timer4.setInterval(100);  // runs only while the pointer is on the frame (see checkPointer)
    connect(&Timer1, &QTimer::timeout, this, &Display::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &Display::Timer2_Timer);
    connect(&Timer3, &QTimer::timeout, this, &Display::Timer3_Timer);
    connect(&Timer4, &QTimer::timeout, this, &Display::checkPointer);
    connect(&sysInfo_, &SysInfo::drivesChanged, this, &Display::RebuildDriveRows);
    connect(balloon_, &Balloon::closed, this, [this](Balloon::ClosedBy by) {
        if (by == Balloon::ClosedBy::User) {
            balloonId = -1;
            hoveredRow = kNone;
            applyOnTop();
        }
    });
    connect(&live_.general, &GeneralOptions::changed, this, [this](GeneralOption option, bool on) {
        if (option == GeneralOption::OnTop) {
            applyOnTop();
        } else if (option == GeneralOption::Transparent) {
            setTransparent(on, translucencyAlpha(live_.shared.transparentLevel));
        }
    });
}

Display::~Display() {
    unload();
}

bool Display::load() {
    live_.items.setMonitorOpen(true);
    cpuMeter_ = stats_.createCpuMeter(isNT_);
    cpuMeter_->Initialize();
    memState_ = stats_.createMemState();

    stats_.EnumFixedDrives();
    windowDrives = stats_.fixedDrives();

    nextRow = 0;
    lastRow = kNone;
    rowOfItem = QList<qint16>(kFixedItemCount, kNone);
    stats_.RefreshSystemStatus();
    for (int item = 0; item < kFixedItemCount; ++item) {
        if (!shown(item) || (item == kBattery && !stats_.batteryState().present)) {
            continue;
        }
        addRow(StatisticLabels::monitorCaption(item));
        if (item == kBattery) {
            StatBar.last()->setGradient(LevelBarColours::fromBgr(LevelBarColours::kRed),
                                        LevelBarColours::fromBgr(LevelBarColours::kGreen));
        }
        if (item == kCDrive) {
            setDriveTooltip(nextRow, QStringLiteral("/"));
        }
        rowOfItem[item] = nextRow;
        lastRow = nextRow;
        ++nextRow;
    }
    // The activity items follow the classic ones; the drive rows stay last, where a mount change
    // adds or removes them.
    activityRows_ = std::make_unique<ActivityRows>(live_.shared.activity, stats_);
    if (const int added = activityRows_->build(
            [this](const QString& caption, LevelBar* bar) { addRow(caption, bar); }, nextRow)) {
        nextRow = qint16(nextRow + added);
        lastRow = qint16(nextRow - 1);
    }
    shownDriveCount = 0;
    for (const FixedDrive& drive : windowDrives) {
        rowOfItem.append(kNone);
        if (driveShown(drive.letter)) {
            addRow(StatisticLabels::monitorDriveCaption(drive.letter));
            setDriveTooltip(nextRow, drive.mountPoint);
            rowOfItem.last() = nextRow;
            ++nextRow;
            ++shownDriveCount;
        }
    }

    if (rowCount() == 0) {
        close();
        return false;
    }
    fitHeight();
    place();

    balloonId = -1;
    balloonRow = kNone;
    Timer1_Timer();

    translucencyAvailable = isNT_ && WindowSystem::showsTranslucency();
    if (live_.items.mnuTransparent.checked && isNT_) {
        // The opposite of the real state, so the first check (when the window shows) applies the
        // right look.
        InsideBorder = WindowGeometry::IsCursorOutsideClient(*this);
        followsPointer_ = true;
    }
    applyOnTop();
    hoveredRow = kNone;

    show();
    Timer1.start();
    loaded_ = true;
    return true;
}

bool Display::shown(int item) const {
    return live_.shared.showItem.at(size_t(item));
}

bool Display::driveShown(QChar letter) const {
    const int index = driveIndex(letter);
    return index >= 0 && index < kExtraDriveCount && live_.shared.showDrive.at(size_t(index));
}

void Display::addRow(const QString& caption, LevelBar* bar) {
    const int row = rowCount();
    const int tppX = SysInfo::twipsPerPixelX();
    const int tppY = SysInfo::twipsPerPixelY();

    auto* text = new QLabel(caption, this);
    text->setGeometry(kTextLeft / tppX, textTop(row) / tppY, captionWidth_, kTextHeight / tppY);
    text->setMouseTracking(true);
    text->installEventFilter(this);
    text->show();
    StatText.append(text);

    if (bar == nullptr) {
        bar = new LevelBar;
    }
    bar->setParent(this);
    bar->setHistoryShown(live_.shared.activity.showHistory);
    bar->setGeometry(barLeft(), barTop(row) / tppY, kBarWidth / tppX, kBarHeight / tppY);
    bar->setMouseTracking(true);
    bar->installEventFilter(this);
    bar->show();
    StatBar.append(bar);
}

int Display::barLeft() const {
    const int tppX = SysInfo::twipsPerPixelX();
    return (kTextLeft / tppX) + captionWidth_ + (kBarLeft - kTextLeft - kTextWidth) / tppX;
}

int Display::widestCaption() const {
    // Every caption a row can get, so the columns stay put when rows or battery states change.
    QStringList captions;
    for (int item = 0; item < kFixedItemCount; ++item) {
        captions << StatisticLabels::monitorCaption(item);
    }
    for (const BatteryCondition condition :
         {BatteryCondition::Normal, BatteryCondition::Charging, BatteryCondition::Unplugged}) {
        captions << StatisticLabels::batteryCaption(condition);
    }
    captions << StatisticLabels::monitorDriveCaption(QLatin1Char('W'));
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QString& caption : captions) {
        widest = std::max(widest, metrics.horizontalAdvance(caption) + 2);
    }
    return widest;
}

void Display::removeLastRow() {
    delete StatText.takeLast();
    delete StatBar.takeLast();
}

void Display::setDriveTooltip(int row, const QString& mountPoint) {
    StatText.at(row)->setToolTip(mountPoint);
}

void Display::fitHeight() {
    const int tppX = SysInfo::twipsPerPixelX();
    const int tppY = SysInfo::twipsPerPixelY();
    const int rightMargin = (kClientWidth - kBarLeft - kBarWidth) / tppX;
    setFixedSize(barLeft() + kBarWidth / tppX + rightMargin, clientHeight(rowCount()) / tppY);
}

int Display::windowHeightTwips() const {
    return frameGeometry().height() * SysInfo::twipsPerPixelY();
}

void Display::place() {
    const int tppX = SysInfo::twipsPerPixelX();
    const int tppY = SysInfo::twipsPerPixelY();
    const int height = windowHeightTwips();
    const int workAreaHeight = sysInfo_.WorkAreaHeight();
    int left = storedTwips(settings_, kMainLeft).value_or(0);
    int top =
        placedTop(storedTwips(settings_, kMainTop), height, workAreaHeight, previousRowCount_, rowCount());
    previousRowCount_ = qint16(rowCount());
    // A place on no screen (a monitor since unplugged) is pulled onto the nearest work area.
    const QPoint onScreen =
        ontoNearestWorkArea(QRect(left / tppX, top / tppY, width(), height / tppY), workAreas());
    pulledOntoScreen_ = onScreen != QPoint(left / tppX, top / tppY);
    if (pulledOntoScreen_) {
        left = onScreen.x() * tppX;
        top = onScreen.y() * tppY;
    }
    move(left / tppX, top / tppY);
    settings_.write(kMainLeft, QString::number(left));
    settings_.write(kMainTop, QString::number(top));
    settings_.write(QStringLiteral("FirstTimePosition"), QStringLiteral("Yes"));
    placed_ = true;
    // The window frame is known only once the window is shown: a window placed on the work area's
    // bottom edge moves up by the frame then.
    restsOnWorkAreaBottom_ = top + height == workAreaHeight;
    placedHeightTwips_ = height;
    placedLeftPixels_ = left / tppX;
}

void Display::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (followsPointer_) {
        checkPointer();  // the window may have moved under a still pointer or away from it
    }
    if (pulledOntoScreen_ && frameGeometry().size() != size()) {
        // Pulled onto the screen by its client size; the frame, known now, must fit as well.
        pulledOntoScreen_ = false;
        const QPoint inside = insideNearestWorkArea(frameGeometry(), workAreas());
        if (inside != pos()) {
            placedLeftPixels_ = inside.x();
            move(inside);
            settings_.write(kMainLeft, QString::number(inside.x() * SysInfo::twipsPerPixelX()));
            settings_.write(kMainTop, QString::number(inside.y() * SysInfo::twipsPerPixelY()));
        }
    }
    if (!restsOnWorkAreaBottom_) {
        return;
    }
    const int height = windowHeightTwips();
    if (height == placedHeightTwips_) {
        return;
    }
    restsOnWorkAreaBottom_ = false;
    const int top = std::max(0, sysInfo_.WorkAreaHeight() - height);
    move(placedLeftPixels_, top / SysInfo::twipsPerPixelY());
    settings_.write(kMainTop, QString::number(top));
}

void Display::Timer1_Timer() {
    stats_.RefreshSystemStatus();
    for (int item = 0; item < kFixedItemCount; ++item) {
        const qint16 row = rowOfItem.value(item, kNone);
        if (row == kNone || row >= rowCount()) {
            continue;
        }
        if (item == kBattery) {
            const BatteryState battery = stats_.batteryState();
            if (!battery.present) {
                continue;
            }
            StatText.at(row)->setText(StatisticLabels::batteryCaption(battery.condition));
        }
        if (const std::optional<qint16> value = stats_.itemValue(item, cpuMeter_.get())) {
            StatBar.at(row)->setValue(*value);
        }
    }
    for (int k = 0; k < windowDrives.size(); ++k) {
        const qint16 row = rowOfItem.value(kFixedItemCount + k, kNone);
        if (row == kNone || row >= rowCount()) {
            continue;
        }
        if (const std::optional<qint16> value = stats_.driveValue(windowDrives.at(k).letter)) {
            StatBar.at(row)->setValue(*value);
        }
    }
    if (activityRows_) {
        activityRows_->refresh();
    }
    Q_EMIT sampled();
}

void Display::RebuildDriveRows() {
    stats_.invalidateFixedDrives();
    stats_.EnumFixedDrives();
    const QList<FixedDrive> drives = stats_.fixedDrives();
    if (drives == windowDrives) {
        return;  // the mount table changed elsewhere (containers, pseudo filesystems)
    }
    const int rowsBefore = rowCount();

    QList<FixedDrive> shownDrives;
    for (const FixedDrive& drive : drives) {
        if (driveShown(drive.letter)) {
            shownDrives.append(drive);
        }
    }
    // The drive rows follow the rows of the fixed items (from row 0 when there are none).
    const int firstDriveRow = lastRow == kNone ? 0 : lastRow + 1;
    const int wanted = firstDriveRow + int(shownDrives.size());
    if (wanted != rowCount() || balloonRow >= firstDriveRow) {
        CancelBalloon();  // its bar may go or show another drive
    }
    while (rowCount() < wanted) {
        addRow(QString());
    }
    while (rowCount() > wanted) {
        removeLastRow();
    }

    rowOfItem.resize(kFixedItemCount);
    int row = firstDriveRow;
    for (const FixedDrive& drive : drives) {
        if (driveShown(drive.letter)) {
            StatText.at(row)->setText(StatisticLabels::monitorDriveCaption(drive.letter));
            setDriveTooltip(row, drive.mountPoint);
            rowOfItem.append(qint16(row));
            ++row;
        } else {
            rowOfItem.append(kNone);
        }
    }
    windowDrives = drives;
    shownDriveCount = qint16(shownDrives.size());
    nextRow = qint16(rowCount());

    if (rowCount() == 0) {
        close();
        return;
    }
    fitHeight();
    if (rowCount() > rowsBefore) {
        keepInsideWorkArea();
    }
    Timer1_Timer();
}

// Grown by new rows, the window comes back up inside the work area, as it does when it opens with
// more rows than before; it never goes above the top.
void Display::keepInsideWorkArea() {
    const int tppY = SysInfo::twipsPerPixelY();
    const int height = windowHeightTwips();
    const int workAreaHeight = sysInfo_.WorkAreaHeight();
    previousRowCount_ = qint16(rowCount());
    if (y() * tppY + height <= workAreaHeight) {
        return;
    }
    restsOnWorkAreaBottom_ = false;
    const int top = std::max(0, workAreaHeight - height);
    move(x(), top / tppY);
    settings_.write(kMainTop, QString::number(top));
}

int Display::itemOfRow(int row) const {
    if (row == kNone) {
        return -1;
    }
    const int found = int(rowOfItem.indexOf(qint16(row)));
    return found;
}

QString Display::rootOfItem(int item) const {
    if (item == kCDrive) {
        return QStringLiteral("/");
    }
    const int k = item - kFixedItemCount;
    return (k >= 0 && k < windowDrives.size()) ? windowDrives.at(k).mountPoint : QString();
}

bool Display::balloonContents(int item, QString& title, QString& text) {
    using namespace MonitorBalloonText;
    const int row = rowOfItem.value(item, kNone);
    const int barValue = (row != kNone && row < rowCount()) ? StatBar.at(row)->value() : 0;
    switch (item) {
        case int(StatisticItem::CPU):
            title = cpuTitle();
            stats_.CountProcesses();
            text = cpuText(stats_.GetProcessorDescription(), stats_.processCount(), stats_.threadCount());
            return true;
        case int(StatisticItem::PhysMem):
            title = physicalMemoryTitle();
            text = memoryText(barValue, memState_->TotalPhysical());
            return true;
        case int(StatisticItem::VirtMem):
            title = virtualMemoryTitle();
            text = memoryText(barValue, memState_->TotalVirtual());
            return true;
        case kBattery: {
            stats_.RefreshSystemStatus();
            const PowerStatus& power = stats_.powerStatus();
            title = batteryTitle();
            text = MonitorBalloonText::batteryText(power.batteryLifeTime, power.batteryFullLifeTime);
            return true;
        }
        default:
            break;
    }
    if (item < kCDrive) {
        return false;  // the resource items have no balloon
    }
    const QString root = rootOfItem(item);
    const std::optional<DiskSpace> space = root.isEmpty() ? std::nullopt : stats_.diskSpace(root);
    title = driveTitle(StatText.at(row)->text());
    text = space ? driveText(double(space->total), double(space->freeToCaller), root) : QString();
    return true;
}

void Display::StatBar_MouseMove(int row) {
    if (WindowGeometry::IsCursorOutsideClient(*this)) {
        CancelBalloon();
        return;
    }
    hoveredRow = qint16(row);
    if (!Timer2.isActive()) {
        Timer2.start();
    }
}

void Display::CancelBalloon() {
    const bool busy = Timer2.isActive() || Timer3.isActive() || balloonId != -1 || hoveredRow != kNone ||
                      balloonRow != kNone;
    Timer2.stop();
    Timer3.stop();
    DeleteBalloon();
    hoveredRow = kNone;
    balloonRow = kNone;
    // Pointer moves over the background cancel all the time; only a real cancel re-asserts on-top.
    if (busy) {
        applyOnTop();
    }
}

void Display::Timer2_Timer() {
    Timer2.stop();
    if (hoveredRow == kNone || !live_.items.mnuMonitorBalloon.checked) {
        return;
    }
    if (WindowGeometry::IsCursorOutsideClient(*this)) {
        CancelBalloon();
        return;
    }
    QString title;
    QString text;
    if (!(activityRows_ && activityRows_->balloon(hoveredRow, title, text)) &&
        !balloonContents(itemOfRow(hoveredRow), title, text)) {
        return;
    }
    if (text.isEmpty()) {
        DeleteBalloon();
        return;
    }
    showDetails(title, text);
    if (!Timer3.isActive()) {
        Timer3.start();
    }
}

void Display::showDetails(const QString& title, const QString& text) {
    if (hoveredRow == balloonRow) {
        if (balloonId != -1) {
            balloon_->setText(text);
        }
        return;
    }
    balloonRow = hoveredRow;
    DeleteBalloon();
    balloon_->setTitle(title);
    balloon_->setText(text);
    balloon_->showBeside(StatBar.at(balloonRow));
    balloonId = nextBalloonId_;
    nextBalloonId_ = qint16((nextBalloonId_ + 1) & 0x7FFF);
}

void Display::Timer3_Timer() {
    if (WindowGeometry::IsCursorOutsideClient(*this)) {
        CancelBalloon();
    }
}

void Display::DeleteBalloon() {
    balloon_->dismiss();
    balloonId = -1;
    hoveredRow = kNone;
}

void Display::checkPointer() {
    const bool outside = WindowGeometry::IsCursorOutsideWindow(*this);
    if (outside && InsideBorder) {
        InsideBorder = false;
        applyTranslucency();
    } else if (!outside && !InsideBorder) {
        InsideBorder = true;
        applyTranslucency();
    }
    // Enter and leave events tell when the pointer crosses the client area. On the frame, or over
    // another window lying on this one, nothing tells when it leaves: only then a watch runs.
    const bool watch = followsPointer_ && !outside && !underMouse();
    if (watch && !Timer4.isActive()) {
        Timer4.start();
    } else if (!watch) {
        Timer4.stop();
    }
}

void Display::applyTranslucency() {
    if (InsideBorder) {
        MakeOpaque(this);
    } else {
        MakeTranslucent(this, translucencyAlpha(live_.shared.transparentLevel));
    }
}

void Display::setTransparent(bool on, int alpha) {
    InsideBorder = false;
    followsPointer_ = on;
    if (on) {
        MakeTranslucent(this, alpha);
        checkPointer();
    } else {
        MakeOpaque(this);
        Timer4.stop();
    }
}

void Display::applyOnTop() {
    SetTopmost(this, live_.items.mnuOnTop.checked);
}

void Display::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Home) {
        restsOnWorkAreaBottom_ = false;
        move(0, homeTop(windowHeightTwips(), sysInfo_.WorkAreaHeight()) / SysInfo::twipsPerPixelY());
    } else {
        QWidget::keyReleaseEvent(event);
    }
}

void Display::mouseMoveEvent(QMouseEvent* event) {
    CancelBalloon();  // the background: the rows' moves never get here (eventFilter)
    QWidget::mouseMoveEvent(event);
}

void Display::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (followsPointer_) {
        checkPointer();
    }
}

void Display::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (followsPointer_) {
        checkPointer();
    }
}

void Display::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (followsPointer_) {
        checkPointer();  // it may appear under the pointer
    }
    // Back from being minimised: show current values at once and refresh again.
    if (loaded_ && !unloaded_ && !Timer1.isActive()) {
        Timer1_Timer();
        Timer1.start();
    }
}

void Display::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    Timer1.stop();  // nobody sees the values of a minimised window
}

void Display::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (followsPointer_ && isVisible()) {
        checkPointer();
    }
}

bool Display::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        const auto bar = std::find(StatBar.cbegin(), StatBar.cend(), watched);
        if (bar != StatBar.cend()) {
            StatBar_MouseMove(int(bar - StatBar.cbegin()));
        } else {
            CancelBalloon();
        }
        // Handled: passed on, the move would reach the window's own handler and cancel again.
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Display::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        DeleteBalloon();
        if (isActiveWindow()) {
            applyOnTop();
        }
    }
    QWidget::changeEvent(event);
}

void Display::closeEvent(QCloseEvent* event) {
    unload();
    QWidget::closeEvent(event);
}

void Display::unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    Timer1.stop();
    Timer2.stop();
    Timer3.stop();
    Timer4.stop();
    if (placed_) {
        settings_.write(kMainLeft, QString::number(x() * SysInfo::twipsPerPixelX()));
        settings_.write(kMainTop, QString::number(y() * SysInfo::twipsPerPixelY()));
    }
    DeleteBalloon();
    if (cpuMeter_) {
        cpuMeter_->Terminate();
        cpuMeter_.reset();
    }
    live_.items.setMonitorOpen(false);
}

}  // namespace monitor
