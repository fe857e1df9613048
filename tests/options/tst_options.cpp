#include "app/Menu.h"  // the first start, with the controller
#include "options/NumberBoxEdit.h"
#include "options/Options.h"
#include "options/OptionsCommit.h"
#include "options/OptionsDialogHost.h"
#include "options/OptionsGeneralPage.h"
#include "options/OptionsStatisticsPage.h"
#include "options/OptionsSystemPage.h"
#include "options/OptionsTimeSyncPage.h"
#include "options/SpinButtons.h"
#include "options/ThresholdStepping.h"
#include "support/FakeSystemSources.h"
#include "support/RecordingMenuServices.h"
#include "support/TestOptions.h"
#include "timesync/TimeServerTable.h"
#include "widgets/MessageBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {
// Asks the program's own message box when told to, as the running program does.
struct BoxServices : RecordingMenuServices {
    bool realBoxes = false;
    int showMessageBox(const QString& text, int style, const QString& title) override {
        const int canned = RecordingMenuServices::showMessageBox(text, style, title);
        return realBoxes ? ShowMessageBox(text, style, title) : canned;
    }
};

// A program's worth of state around the dialog: live options, statistics, servers.
struct Rig {
    TestOptions options;
    MemorySettingsStore& store = options.store;
    AppSettings& settings = options.settings;
    TrayMenuState& items = options.items;
    SharedSettingsState& shared = options.shared;
    BoxServices services;
    FakeSystem system;
    SystemInfoModule stats{system.sources(), nullptr};
    TimeServerTable table;
    OptionsDialogHost host{options.live(), PlatformFacts::linux(), services, stats, table};

    Rig() {
        system.mounts->set({QStringLiteral("/")});
        system.memory->status = MemoryStatus{};
        addServer(QStringLiteral("United States"), QStringLiteral("Texas"), QStringLiteral("a.example"));
        addServer(QStringLiteral("United States"), QStringLiteral("Texas"), QStringLiteral("b.example"));
        addServer(QStringLiteral("United States"), QString(), QStringLiteral("c.example"));
        addServer(QStringLiteral("Germany"), QStringLiteral(" "), QStringLiteral("d.example"));
        addServer(QStringLiteral("Germany"), QString(), QStringLiteral("disabled.example"))
            ->setEnabled(false);
        addServer(QStringLiteral("Germany"), QString(), QStringLiteral("time-only.example"))
            ->setSntpSupported(false);
        shared.currentServerHost = QStringLiteral("A.EXAMPLE");
        shared.autoSyncDays = 7;
    }
    TimeServer* addServer(const QString& country, const QString& state, const QString& hostName) {
        auto record = std::make_unique<TimeServer>();
        record->setCountry(country);
        record->setState(state);
        record->setHostName(hostName);
        record->setPolicy(QStringLiteral("open access"));
        record->setSntpSupported(true);
        record->setIndex(int(table.timeServers.size()));
        table.timeServers.push_back(std::move(record));
        return table.timeServers.back().get();
    }
    Options* open(int page = 0) {
        host.show(page);
        Options* dialog = host.dialog();
        if (dialog) {
            if (!QTest::qWaitForWindowExposed(dialog)) {
                return nullptr;
            }
        }
        return dialog;
    }
    QString stored(const char* key) const {
        return store.read(QString::fromLatin1(key)).value_or(QStringLiteral("<none>"));
    }
};

void clickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}
void clickTab(Options* dialog, int page) {
    QTabBar* bar = dialog->SSTab1->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
}
void clickNode(QTreeWidget* tree, QTreeWidgetItem* node) {
    tree->scrollToItem(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
}
QTreeWidgetItem* node(QTreeWidget* tree, const QString& text) {
    const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}
// Keys as the window system delivers them: to the window, then to its focus widget.
void keyToWindow(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(window->windowHandle(), key, modifiers);
}
// Focus moves by Tab, as a user moves it, until it reaches `target`.
bool tabTo(QWidget* target) {
    for (int i = 0; i < 60 && QApplication::focusWidget() != target; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return QApplication::focusWidget() == target;
}
// Clicks into a number box and waits until its text is selected for typing over.
bool clickIntoBox(NumberBoxEdit* box) {
    QTest::mouseClick(box, Qt::LeftButton);
    return QTest::qWaitFor([box] { return box->hasFocus() && box->selectedText() == box->text(); });
}
QStringList childTexts(QTreeWidgetItem* parent) {
    QStringList texts;
    for (int i = 0; i < parent->childCount(); ++i) {
        texts << parent->child(i)->text(0);
    }
    return texts;
}
}  // namespace

class OptionsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void stepping() {
        using namespace ThresholdStepping;
        QCOMPARE(up(3, 5, 100), 5);
        QCOMPARE(up(5, 5, 100), 10);
        QCOMPARE(up(95, 5, 100), 100);
        QCOMPARE(up(97, 5, 100), 100);
        QCOMPARE(up(100, 5, 100), 100);
        QCOMPARE(down(12, 5, 0), 10);
        QCOMPARE(down(10, 5, 0), 5);
        QCOMPARE(down(3, 5, 0), 0);
        QCOMPARE(down(0, 5, 0), 0);
    }

    // Arrow keys in a threshold box and clicks on its spin buttons step to multiples of 5.
    void thresholdBoxStepsByKeysAndButtons() {
        Rig rig;
        Options* dialog = rig.open(1);
        QVERIFY(dialog);
        const OptionsStatisticsPage::Row row = dialog->statistics->rows().at(0);
        QTest::mouseClick(row.Threshold1, Qt::LeftButton);
        QTRY_VERIFY(row.Threshold1->hasFocus());
        QTest::keyClicks(row.Threshold1, QStringLiteral("3"));
        QTest::keyClick(row.Threshold1, Qt::Key_Up);
        QCOMPARE(row.Threshold1->value(), 5.0);
        // Still being edited: the bare number, so that typing on gives digits, not "5%0".
        QTest::keyClicks(row.Threshold1, QStringLiteral("0"));
        QCOMPARE(row.Threshold1->text(), QStringLiteral("50"));
        QTest::keyClick(row.Threshold1, Qt::Key_Backspace);
        QTest::mouseClick(row.UpDown1->upButton(), Qt::LeftButton);
        QCOMPARE(row.Threshold1->value(), 10.0);
        QTest::keyClick(row.Threshold1, Qt::Key_Down);
        QTest::keyClick(row.Threshold1, Qt::Key_Down);
        QTest::keyClick(row.Threshold1, Qt::Key_Down);
        QCOMPARE(row.Threshold1->value(), 0.0);
        QVERIFY(dialog->applyButton->isEnabled());
    }

    // The empty selection is warned about on the first Apply only; the second one saves it.
    void selectionWarningOnFirstApplyOnly() {
        Rig rig;
        rig.services.messageBoxAnswer = 1;
        Options* dialog = rig.open(0);
        QVERIFY(!dialog->applyButton->isEnabled());
        clickBox(dialog->general->Check0[3]);
        QVERIFY(dialog->applyButton->isEnabled());
        QTest::mouseClick(dialog->applyButton, Qt::LeftButton);
        QCOMPARE(rig.services.lastMessageText, Options::noSelectionWarning());
        QCOMPARE(rig.services.lastMessageStyle, 48);
        QCOMPARE(dialog->currentPage(), int(Options::StatisticsPage));
        QCOMPARE(rig.stored("Defined"), QStringLiteral("<none>"));
        QVERIFY(dialog->applyButton->isEnabled());

        rig.services.calls.clear();
        QTest::mouseClick(dialog->applyButton, Qt::LeftButton);
        QVERIFY(!rig.services.called(QStringLiteral("showMessageBox")));
        QCOMPARE(rig.stored("Defined"), QStringLiteral("Yes"));
        QVERIFY(!dialog->applyButton->isEnabled());
        QVERIFY(!rig.items.mnuDisplay.enabled);
    }

    void cancelAsksOnlyAfterChanges_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("Yes") << 6 << true << false;
        QTest::newRow("No") << 7 << false << false;
        QTest::newRow("Cancel") << 2 << false << true;
    }
    void cancelAsksOnlyAfterChanges() {
        QFETCH(int, answer);
        QFETCH(bool, saved);
        QFETCH(bool, staysOpen);
        Rig rig;
        rig.services.messageBoxAnswer = answer;
        QPointer<Options> dialog = rig.open(1);
        clickBox(dialog->statistics->rows().at(0).Check1);
        QTest::mouseClick(dialog->cancelButton, Qt::LeftButton);
        QCOMPARE(rig.services.lastMessageText, Options::unsavedChangesQuestion());
        QCOMPARE(rig.services.lastMessageStyle, 35);
        QCOMPARE(rig.stored("ShowCPU"), saved ? QStringLiteral("1") : QStringLiteral("<none>"));
        QTRY_COMPARE(dialog.isNull(), !staysOpen);
        QCOMPARE(rig.items.mnuOptions.enabled, !staysOpen);
        if (staysOpen) {
            QVERIFY(dialog->statistics->rows().at(0).Check1->isChecked());
        }
    }

    void cancelWithoutChangesClosesSilently() {
        Rig rig;
        QPointer<Options> dialog = rig.open(0);
        QTest::mouseClick(dialog->cancelButton, Qt::LeftButton);
        QTRY_VERIFY(dialog.isNull());
        QVERIFY(!rig.services.called(QStringLiteral("showMessageBox")));
    }

    // Servers by country, then state; a blank state hangs the server under its country.
    void serverTreeGroupsByCountryAndState() {
        Rig rig;
        Options* dialog = rig.open(3);
        QTreeWidget* tree = dialog->timeSync->ServerList;
        QTreeWidgetItem* root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("Time Servers"));
        QCOMPARE(childTexts(root), (QStringList{"Germany", "United States"}));
        QCOMPARE(childTexts(node(tree, QStringLiteral("United States"))),
                 (QStringList{"c.example", "Texas"}));
        QCOMPARE(childTexts(node(tree, QStringLiteral("Texas"))), (QStringList{"a.example", "b.example"}));
        QCOMPARE(childTexts(node(tree, QStringLiteral("Germany"))), (QStringList{"d.example"}));
        QCOMPARE(tree->currentItem()->text(0), QStringLiteral("a.example"));
        QCOMPARE(dialog->timeSync->ServerNotes->topLevelItemCount(), 5);

        clickNode(tree, node(tree, QStringLiteral("d.example")));
        QTreeWidgetItem* stateRow = dialog->timeSync->ServerNotes->topLevelItem(1);
        QCOMPARE(stateRow->text(0), QStringLiteral("State:"));
        QCOMPARE(stateRow->text(1), QStringLiteral("N/A"));
        QCOMPARE(rig.shared.currentServerHost, QStringLiteral("d.example"));

        clickNode(tree, node(tree, QStringLiteral("Germany")));
        QCOMPARE(dialog->timeSync->ServerNotes->topLevelItemCount(), 0);
        QCOMPARE(rig.shared.currentServerHost, QStringLiteral("d.example"));
    }

    void escapeRestoresSelectedServer() {
        Rig rig;
        QPointer<Options> dialog = rig.open(3);
        QTreeWidget* tree = dialog->timeSync->ServerList;
        clickNode(tree, node(tree, QStringLiteral("c.example")));
        QVERIFY(dialog->applyButton->isEnabled());
        QCOMPARE(rig.shared.currentServerHost, QStringLiteral("c.example"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(rig.shared.currentServerHost, QStringLiteral("A.EXAMPLE"));
        QVERIFY(rig.items.mnuOptions.enabled);
        QVERIFY(!rig.services.called(QStringLiteral("showMessageBox")));
    }

    // Two extra drives add two rows, a row pitch (300 twips) apart, and make the dialog as much taller.
    void rowsForExtraDrives() {
        Rig plain;
        const int plainHeight = plain.open(1)->height();

        Rig rig;
        rig.system.mounts->set({QStringLiteral("/"), QStringLiteral("/data"), QStringLiteral("/home")});
        Options* dialog = rig.open(1);
        const QList<OptionsStatisticsPage::Row> rows = dialog->statistics->rows();
        QCOMPARE(rows.size(), 10);
        const int pitch = OptionsStatisticsPage::rowPitchPixels();
        QCOMPARE(rows.at(8).Check1->y() - rows.at(7).Check1->y(), pitch);
        QCOMPARE(rows.at(9).Check1->y() - rows.at(7).Check1->y(), 2 * pitch);
        QCOMPARE(rows.at(8).Check1->text(), QStringLiteral("D: drive disk usage:"));
        QCOMPARE(rows.at(9).Check1->text(), QStringLiteral("E: drive disk usage:"));
        QCOMPARE(dialog->height() - plainHeight, 2 * pitch);
        QCOMPARE(dialog->system->SystemText.size(), 9);
        QCOMPARE(dialog->system->SystemText.at(8)->text(), QStringLiteral("E: drive disk size:"));
        QVERIFY(dialog->system->SystemInfo.at(8)->text().contains(QStringLiteral("/home")));
    }

    void saveOptionsWritesStoredForms() {
        Rig rig;
        rig.settings.write(QStringLiteral("MonitorLevels"), QStringLiteral("True"));
        rig.shared.currentServerHost = QStringLiteral("c.example");
        OptionsValues values;
        values.general = {true, true, false, false, false, true, false, true, true, false};
        values.transparentLevel = 60;
        values.show = {true, false, false, false, false, false, false, false, true};
        values.level = {80, 0, 0, 0, 0, 0, 0, 0, 90};
        values.extraDrives = {QChar('D')};
        values.syncAtStart = true;
        values.syncDays = 3;
        OptionsCommit(rig.options.live(), rig.services).SaveOptions(values);

        const QList<std::pair<const char*, const char*>> expected = {
            {"Defined", "Yes"},          {"ShowStatsAtStartup", "1"}, {"ShowOnTop", "0"},
            {"ShowSplash", "0"},         {"VersionCheck", "True"},    {"ShowQuickDisplay", "False"},
            {"ShowExitPrompt", "True"},  {"UseHotkey", "False"},      {"ShowMonitorBalloon", "False"},
            {"ShowTransparent", "True"}, {"TransparentLevel", "60"},  {"ShowCPU", "1"},
            {"ShowPhysMem", "0"},        {"LevelCPU", "80"},          {"LevelBattery", "0"},
            {"ShowDDrive", "1"},         {"LevelDDrive", "90"},       {"TimeServer", "c.example"},
            {"TimeSyncOnStart", "True"}, {"AutoSyncDays", "3"}};
        for (const auto& [key, text] : expected) {
            QCOMPARE(rig.stored(key), QString::fromLatin1(text));
        }
        const TrayMenuState& items = rig.items;
        QVERIFY(items.mnuDisplay.enabled);
        QVERIFY(items.mnuMonitor.enabled && items.mnuMonitor.checked);
        QVERIFY(rig.services.watching);
        QVERIFY(items.mnuStartup.checked && items.mnuSyncAtStart.checked && !items.mnuHotkey.checked);
        QCOMPARE(rig.options.startupEntry.calls, QStringList{"create"});
        QCOMPARE(rig.shared.driveLevel[0], qint16(90));
    }

    // A tray toggle while the dialog is open sets the option's box and leaves Apply as it was:
    // nothing to apply stays nothing, unsaved edits stay unsaved.
    void trayToggleMirrorsIntoOpenDialog() {
        Rig rig;
        Options* dialog = rig.open(0);
        rig.options.general.set(GeneralOption::Splash, true);
        QVERIFY(dialog->general->Check0[3]->isChecked());
        QVERIFY(!dialog->applyButton->isEnabled());
        clickBox(dialog->general->Check0[5]);
        rig.options.general.set(GeneralOption::SyncAtStart, true);
        QVERIFY(dialog->timeSync->Check3->isChecked());
        QVERIFY(dialog->applyButton->isEnabled());
    }

    // First run: the dialog opens on its first page, and saving it marks the options as defined.
    void firstRunOpensFirstPageAndSaves() {
        struct Services : RecordingMenuServices {
            OptionsDialogHost* host = nullptr;
            void showOptionsDialog(int page) override { host->show(page); }
        };
        Rig rig;
        Services services;
        FakeStartupEntry entry;
        Menu menu{rig.settings, services, PlatformFacts::linux(), QString(), &entry};
        menu.sharedState().currentServerHost = QStringLiteral("a.example");
        OptionsDialogHost host{menu.live(), menu.facts(), services, rig.stats, rig.table};
        services.host = &host;
        menu.load();
        QPointer<Options> dialog = host.dialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->currentPage(), int(Options::GeneralPage));
        QVERIFY(!menu.menuState().mnuOptions.enabled);

        clickTab(dialog, Options::StatisticsPage);
        clickBox(dialog->statistics->rows().at(1).Check1);
        QTest::mouseClick(dialog->OKButton, Qt::LeftButton);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(rig.stored("Defined"), QStringLiteral("Yes"));
        QCOMPARE(rig.stored("ShowPhysMem"), QStringLiteral("1"));
        QVERIFY(menu.menuState().mnuOptions.enabled);
        QVERIFY(menu.menuState().mnuDisplay.enabled);
    }

    // Escape released anywhere in the dialog closes it, also in a text box that keeps key
    // releases to itself.
    void escapeReleaseAnywhereCloses_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("focus");
        QTest::newRow("level box") << 0 << "TransLevel";
        QTest::newRow("threshold box") << 1 << "Threshold1(0)";
        QTest::newRow("server tree") << 3 << "ServerList";
        QTest::newRow("interval box") << 3 << "SyncDays";
        QTest::newRow("server line") << 3 << "OwnServer";
    }
    void escapeReleaseAnywhereCloses() {
        QFETCH(int, page);
        QFETCH(QString, focus);
        Rig rig;
        rig.items.mnuTransparent.checked = true;
        rig.items.mnuSyncAtStart.checked = true;
        QPointer<Options> dialog = rig.open(page);
        auto* target = dialog->findChild<QWidget*>(focus);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, 4));
        QTRY_COMPARE(QApplication::focusWidget(), target);
        keyToWindow(dialog, Qt::Key_Escape);
        QTRY_VERIFY(dialog.isNull());
    }

    // An Escape whose press closed something else (the tray menu, a message box) leaves its
    // release behind; the dialog does not close on it, nor lose its edits.
    void escapeThatClosedAMenuKeepsTheDialog() {
        Rig rig;
        QPointer<Options> dialog = rig.open(0);
        clickBox(dialog->general->Check0[3]);
        QMenu menu;
        menu.addAction(QStringLiteral("Options..."));
        menu.popup(dialog->geometry().center());
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QTest::keyPress(&menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu.isVisible());
        QTest::keyRelease(dialog->windowHandle(), Qt::Key_Escape);
        QVERIFY(!dialog.isNull() && dialog->isVisible());
        QVERIFY(dialog->applyButton->isEnabled());
    }
    void escapeInTheSaveQuestionKeepsTheDialog() {
        Rig rig;
        rig.services.realBoxes = true;
        QPointer<Options> dialog = rig.open(0);
        clickBox(dialog->general->Check0[3]);
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&poll, &dialog] {
            auto* box = qobject_cast<MessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isActiveWindow()) {
                return;
            }
            poll.stop();
            QTest::keyPress(box->windowHandle(), Qt::Key_Escape);
            // The release goes to the box, or to the dialog below when the box is already gone.
            QTest::keyRelease(box->isVisible() ? box->windowHandle() : dialog->windowHandle(),
                              Qt::Key_Escape);
        });
        poll.start(10);
        QTest::mouseClick(dialog->cancelButton, Qt::LeftButton);
        QCOMPARE(rig.services.lastMessageText, Options::unsavedChangesQuestion());
        QVERIFY(!dialog.isNull() && dialog->isVisible());
        QVERIFY(dialog->general->Check0[3]->isChecked());
    }

    // OK and Apply by their shortcuts while a number box still holds what was typed: what is
    // saved lies inside the box's limits all the same.
    void shortcutsSaveValuesInsideTheirLimits() {
        Rig rig;
        rig.items.mnuTransparent.checked = true;
        rig.items.mnuSyncAtStart.checked = true;
        rig.shared.showItem[0] = true;
        QPointer<Options> dialog = rig.open(0);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QVERIFY(clickIntoBox(dialog->general->TransLevel));
        QTest::keyClicks(dialog->general->TransLevel, QStringLiteral("10"));
        keyToWindow(dialog, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(rig.stored("TransparentLevel"), QStringLiteral("25"));

        clickTab(dialog, Options::StatisticsPage);
        NumberBoxEdit* level = dialog->statistics->rows().at(0).Threshold1;
        QVERIFY(clickIntoBox(level));
        QTest::keyClicks(level, QStringLiteral("9999"));
        keyToWindow(dialog, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(rig.stored("LevelCPU"), QStringLiteral("100"));

        clickTab(dialog, Options::TimeSyncPage);
        QVERIFY(clickIntoBox(dialog->timeSync->SyncDays));
        QTest::keyClick(dialog->timeSync->SyncDays, Qt::Key_Backspace);
        keyToWindow(dialog, Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(rig.stored("AutoSyncDays"), QStringLiteral("1"));
    }

    // Enter and keypad Enter press the focused OK, Apply or Cancel button.
    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("OK") << "OKButton" << int(Qt::Key_Return) << true;
        QTest::newRow("Cancel, keypad") << "cancelButton" << int(Qt::Key_Enter) << true;
        QTest::newRow("Apply") << "applyButton" << int(Qt::Key_Return) << false;
    }
    void enterPressesTheFocusedButton() {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(bool, closes);
        Rig rig;
        rig.shared.showItem[0] = true;
        QPointer<Options> dialog = rig.open(0);
        if (!closes) {
            clickBox(dialog->general->Check0[3]);
        }
        QVERIFY(tabTo(dialog->findChild<QPushButton*>(button)));
        keyToWindow(dialog, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QTRY_COMPARE(dialog.isNull(), closes);
        if (!closes) {
            QCOMPARE(rig.stored("Defined"), QStringLiteral("Yes"));
        }
    }

    // Down and up the tree by keys: a highlighted server always shows its details.
    void serverDetailsFollowTheKeys() {
        Rig rig;
        Options* dialog = rig.open(3);
        QTreeWidget* tree = dialog->timeSync->ServerList;
        QTRY_VERIFY(tree->hasFocus());
        keyToWindow(dialog, Qt::Key_Left);
        QCOMPARE(tree->currentItem()->text(0), QStringLiteral("Texas"));
        QCOMPARE(dialog->timeSync->ServerNotes->topLevelItemCount(), 0);
        keyToWindow(dialog, Qt::Key_Down);
        QCOMPARE(tree->currentItem()->text(0), QStringLiteral("a.example"));
        QCOMPARE(dialog->timeSync->ServerNotes->topLevelItemCount(), 5);
        QVERIFY(!dialog->applyButton->isEnabled());
    }

    // A server of the user's own, typed in: used at once, saved by Apply, shown again next time;
    // text that is no address says so and saves nothing.
    void serverOfTheUsersOwn() {
        Rig rig;
        rig.shared.showItem[0] = true;
        QPointer<Options> dialog = rig.open(3);
        QLineEdit* line = dialog->timeSync->OwnServer;
        QTest::mouseClick(line, Qt::LeftButton);
        QTest::keyClicks(line, QStringLiteral("ntp.example.net:1234"));
        QCOMPARE(rig.shared.currentServerHost, QStringLiteral("ntp.example.net:1234"));
        QCOMPARE(dialog->timeSync->ServerNotes->topLevelItemCount(), 0);
        QTest::mouseClick(dialog->applyButton, Qt::LeftButton);
        QCOMPARE(rig.stored("TimeServer"), QStringLiteral("ntp.example.net:1234"));

        QTest::keyClicks(line, QStringLiteral("x"));  // port 1234x
        QVERIFY(dialog->timeSync->OwnServerNote->isVisible());
        QCOMPARE(rig.shared.currentServerHost, QStringLiteral("ntp.example.net:1234"));
        clickTab(dialog, Options::GeneralPage);
        QTest::mouseClick(dialog->OKButton, Qt::LeftButton);
        QVERIFY(!dialog.isNull());
        QCOMPARE(dialog->currentPage(), int(Options::TimeSyncPage));
        QCOMPARE(line->text(), QStringLiteral("ntp.example.net:1234x"));
        keyToWindow(dialog, Qt::Key_Escape);
        QTRY_VERIFY(dialog.isNull());

        dialog = rig.open(3);
        QCOMPARE(dialog->timeSync->OwnServer->text(), QStringLiteral("ntp.example.net:1234"));
        clickNode(dialog->timeSync->ServerList,
                  node(dialog->timeSync->ServerList, QStringLiteral("c.example")));
        QVERIFY(dialog->timeSync->OwnServer->text().isEmpty());
        QCOMPARE(rig.shared.currentServerHost, QStringLiteral("c.example"));
    }
};

QTEST_MAIN(OptionsTest)
#include "tst_options.moc"
