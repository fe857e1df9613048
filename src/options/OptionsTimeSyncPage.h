#pragma once

#include <QHash>
#include <QWidget>

class NumberBoxEdit;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class SpinButtons;
class TimeServer;
class TimeServerTable;
struct SharedSettingsState;

// Page "Time Sync": the built-in servers as a tree by country and state, the chosen server's
// details, synchronisation at start-up with its interval, and "Synchronize Now".
class OptionsTimeSyncPage : public QWidget {
    Q_OBJECT

public:
    OptionsTimeSyncPage(TimeServerTable& table, SharedSettingsState& shared, QWidget* parent = nullptr);

    // Looks up the selected host, builds the tree and shows the host's details.
    void prepare(bool syncAtStart, int syncDays, bool syncNowAvailable);
    void ShowServerDetails(const TimeServer* record);
    // The server line is empty or holds an address the program can use.
    bool ownServerAcceptable() const;
    // Shows the page's server line with what is wrong in it.
    void showOwnServerProblem();

    QGroupBox* Frame1 = nullptr;
    QTreeWidget* ServerList = nullptr;
    QTreeWidget* ServerNotes = nullptr;
    QLineEdit* OwnServer = nullptr;  // a server of the user's own: host, host:port, [IPv6]:port
    QLabel* OwnServerNote = nullptr;
    QGroupBox* Frame2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QLabel* Label5 = nullptr;
    NumberBoxEdit* SyncDays = nullptr;
    SpinButtons* UpDown2 = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* SyncNowButton = nullptr;

Q_SIGNALS:
    void changed();
    void syncNowRequested();

private:
    void BuildServerTree();
    void ServerList_NodeClick(QTreeWidgetItem* node);
    void followSyncBox();
    void OwnServer_Edited(const QString& text);
    QTreeWidgetItem* child(QTreeWidgetItem* parent, const QString& key, const QString& text);

    TimeServerTable& table_;
    SharedSettingsState& shared_;
    QHash<QString, QTreeWidgetItem*> nodes_;  // country and state nodes by key
    QString listedHost_;                      // the last server chosen in the tree
    QString openingHost_;                     // the server when the page was prepared
    bool building_ = false;
};
