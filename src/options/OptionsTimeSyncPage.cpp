#include "options/OptionsTimeSyncPage.h"

#include "options/NumberBoxEdit.h"
#include "options/OptionsValues.h"
#include "options/SpinButtons.h"
#include "settings/SharedSettingsState.h"
#include "stats/SysInfo.h"
#include "timesync/TimeServerAddress.h"
#include "timesync/TimeServerTable.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kKeyRole = Qt::UserRole;
constexpr int kTagRole = Qt::UserRole + 1;
const QString kServerKeyPrefix = QStringLiteral("XH");

QString keyOf(const QTreeWidgetItem* node) {
    return node ? node->data(0, kKeyRole).toString() : QString();
}
}  // namespace

OptionsTimeSyncPage::OptionsTimeSyncPage(TimeServerTable& table, SharedSettingsState& shared, QWidget* parent)
    : QWidget(parent), table_(table), shared_(shared) {
    auto* layout = new QVBoxLayout(this);

    Frame1 = new QGroupBox(QStringLiteral("Server Selection"), this);
    auto* servers = new QVBoxLayout(Frame1);
    ServerList = new QTreeWidget(Frame1);
    ServerList->setObjectName(QStringLiteral("ServerList"));
    ServerList->setHeaderHidden(true);
    ServerList->setSortingEnabled(true);
    ServerList->sortByColumn(0, Qt::AscendingOrder);
    ServerNotes = new QTreeWidget(Frame1);
    ServerNotes->setObjectName(QStringLiteral("ServerNotes"));
    ServerNotes->setRootIsDecorated(false);
    ServerNotes->setHeaderLabels({QStringLiteral("Item"), QStringLiteral("Description")});
    // Wide enough for its captions in this font.
    const int captionWidth = ServerNotes->fontMetrics().horizontalAdvance(QStringLiteral("Srv Area:")) + 16;
    ServerNotes->setColumnWidth(0, std::max(750 / SysInfo::twipsPerPixelX(), captionWidth));
    ServerNotes->setColumnWidth(1, 5100 / SysInfo::twipsPerPixelX());
    ServerNotes->setSelectionMode(QAbstractItemView::NoSelection);
    auto* lists = new QHBoxLayout;
    lists->addWidget(ServerList, 2);
    lists->addWidget(ServerNotes, 3);
    servers->addLayout(lists, 1);
    auto* own = new QHBoxLayout;
    auto* ownLabel = new QLabel(QStringLiteral("Other server:"), Frame1);
    OwnServer = new QLineEdit(Frame1);
    OwnServer->setObjectName(QStringLiteral("OwnServer"));
    OwnServer->setPlaceholderText(QStringLiteral("host or host:port"));
    ownLabel->setBuddy(OwnServer);
    OwnServerNote = new QLabel(Frame1);
    OwnServerNote->setObjectName(QStringLiteral("OwnServerNote"));
    own->addWidget(ownLabel);
    own->addWidget(OwnServer, 1);
    servers->addLayout(own);
    servers->addWidget(OwnServerNote);
    OwnServerNote->hide();
    layout->addWidget(Frame1, 1);

    Frame2 = new QGroupBox(QStringLiteral("Synchronization"), this);
    auto* sync = new QHBoxLayout(Frame2);
    Check3 = new QCheckBox(QStringLiteral("Synchronize clock when program starts?"), Frame2);
    Check3->setObjectName(QStringLiteral("Check3"));
    Label5 = new QLabel(QStringLiteral("Synchronize every"), Frame2);
    SyncDays = new NumberBoxEdit(Frame2);
    SyncDays->setObjectName(QStringLiteral("SyncDays"));
    SyncDays->setFixedWidth(SyncDays->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10);
    SyncDays->box().setLimitedPicture(QStringLiteral("#0"), OptionsValues::kSyncDays.minimum,
                                      OptionsValues::kSyncDays.maximum, true);
    SyncDays->setValue(7);
    UpDown2 = new SpinButtons(Frame2);
    UpDown2->setObjectName(QStringLiteral("UpDown2"));
    UpDown2->bind(SyncDays);
    Label6 = new QLabel(QStringLiteral("days"), Frame2);
    SyncNowButton = new QPushButton(QStringLiteral("Synchronize Now"), Frame2);
    SyncNowButton->setObjectName(QStringLiteral("SyncNowButton"));
    SyncNowButton->setAutoDefault(false);
    sync->addWidget(Check3);
    sync->addStretch(1);
    sync->addWidget(Label5);
    sync->addWidget(SyncDays);
    sync->addWidget(UpDown2);
    sync->addWidget(Label6);
    sync->addSpacing(12);
    sync->addWidget(SyncNowButton);
    layout->addWidget(Frame2);

    connect(ServerList, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { ServerList_NodeClick(node); });
    // Moving through the tree with the keys chooses as a click does.
    connect(ServerList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
        if (!building_ && node) {
            ServerList_NodeClick(node);
        }
    });
    connect(OwnServer, &QLineEdit::textEdited, this, &OptionsTimeSyncPage::OwnServer_Edited);
    connect(Check3, &QCheckBox::toggled, this, [this] {
        followSyncBox();
        Q_EMIT changed();
    });
    connect(SyncDays, &NumberBoxEdit::Change, this, &OptionsTimeSyncPage::changed);
    connect(SyncNowButton, &QPushButton::clicked, this, &OptionsTimeSyncPage::syncNowRequested);
    followSyncBox();
}

void OptionsTimeSyncPage::prepare(bool syncAtStart, int syncDays, bool syncNowAvailable) {
    openingHost_ = shared_.currentServerHost;
    table_.FindTimeServer(shared_.currentServerHost);
    if (table_.currentServerIndex == TimeServerTable::kNotFound) {
        table_.currentServer = nullptr;
        OwnServer->setText(shared_.currentServerHost);  // a server of the user's own
    }
    BuildServerTree();
    ShowServerDetails(table_.currentServer);
    Check3->setChecked(syncAtStart);
    SyncDays->setValue(syncDays);
    SyncNowButton->setEnabled(syncNowAvailable);
}

QTreeWidgetItem* OptionsTimeSyncPage::child(QTreeWidgetItem* parent, const QString& key,
                                            const QString& text) {
    // Keys are unique across the whole tree: a state name met in a second country finds the
    // first country's node.
    if (QTreeWidgetItem* existing = nodes_.value(key)) {
        return existing;
    }
    auto* node = new QTreeWidgetItem(parent, {text});
    node->setData(0, kKeyRole, key);
    nodes_.insert(key, node);
    return node;
}

void OptionsTimeSyncPage::BuildServerTree() {
    building_ = true;
    ServerList->clear();
    nodes_.clear();
    auto* root = new QTreeWidgetItem(ServerList, {QStringLiteral("Time Servers")});
    root->setData(0, kKeyRole, QStringLiteral("ROOT"));
    const QString noted = table_.currentServer ? table_.currentServer->HostName() : QString();
    QTreeWidgetItem* remembered = nullptr;
    for (const auto& record : table_.timeServers) {
        if (!record->Enabled() || !record->SntpSupported()) {
            continue;
        }
        QTreeWidgetItem* parent = child(root, QStringLiteral("XC") + record->Country(), record->Country());
        const QString state = record->State().trimmed();
        if (!state.isEmpty()) {
            parent = child(parent, QStringLiteral("XS") + record->State(), record->State());
        }
        auto* server = new QTreeWidgetItem(parent, {record->HostName()});
        server->setData(0, kKeyRole, kServerKeyPrefix + record->HostName());
        server->setData(0, kTagRole, QString::number(record->Index()));
        if (!noted.isEmpty() && record->HostName().compare(noted, Qt::CaseInsensitive) == 0) {
            remembered = server;
        }
    }
    root->setExpanded(true);
    QTreeWidgetItem* selected = remembered ? remembered : root;
    ServerList->setCurrentItem(selected);
    ServerList->scrollToItem(selected);
    if (!remembered) {
        table_.currentServer = nullptr;
    }
    building_ = false;
}

void OptionsTimeSyncPage::ServerList_NodeClick(QTreeWidgetItem* node) {
    if (!keyOf(node).startsWith(kServerKeyPrefix)) {
        ShowServerDetails(nullptr);
        table_.currentServer = nullptr;
        return;
    }
    const int index = node->data(0, kTagRole).toString().toInt();
    if (index < 0 || size_t(index) >= table_.timeServers.size()) {
        return;
    }
    // Back on the chosen server after its country or state cleared the details: they show again,
    // and nothing has changed.
    const bool chosenBefore = index == table_.currentServerIndex;
    if (chosenBefore && table_.currentServer) {
        return;
    }
    table_.currentServerIndex = index;
    table_.currentServer = table_.timeServers.at(size_t(index)).get();
    ShowServerDetails(table_.currentServer);
    if (!chosenBefore) {
        Q_EMIT changed();
    }
}

void OptionsTimeSyncPage::ShowServerDetails(const TimeServer* record) {
    ServerNotes->clear();
    if (!record) {
        return;
    }
    shared_.currentServerHost = record->HostName();
    listedHost_ = record->HostName();
    // A server from the list replaces one typed in.
    OwnServer->clear();
    OwnServerNote->hide();
    const QString state = record->State().trimmed().isEmpty() ? QStringLiteral("N/A") : record->State();
    const QList<QStringList> rows = {{QStringLiteral("Country:"), record->Country()},
                                     {QStringLiteral("State:"), state},
                                     {QStringLiteral("Srv Area:"), record->ServiceArea()},
                                     {QStringLiteral("Policy:"), record->Policy()},
                                     {QStringLiteral("Contact:"), record->Contact()}};
    for (const QStringList& row : rows) {
        new QTreeWidgetItem(ServerNotes, row);
    }
}

void OptionsTimeSyncPage::followSyncBox() {
    const bool on = Check3->isChecked();
    for (QWidget* widget : {static_cast<QWidget*>(Label5), static_cast<QWidget*>(Label6),
                            static_cast<QWidget*>(SyncDays), static_cast<QWidget*>(UpDown2)}) {
        widget->setEnabled(on);
    }
}

bool OptionsTimeSyncPage::ownServerAcceptable() const {
    const QString text = OwnServer->text().trimmed();
    return text.isEmpty() || parseTimeServerAddress(text).has_value();
}

void OptionsTimeSyncPage::showOwnServerProblem() {
    QString problem;
    parseTimeServerAddress(OwnServer->text(), &problem);
    OwnServerNote->setText(QStringLiteral("Not a server address: ") + problem);
    OwnServerNote->show();
    OwnServer->setFocus();
}

// A valid address typed in is the chosen server at once, as a click on a listed one is; an empty
// line gives the choice back to the list. Text that is no address changes nothing but the note.
void OptionsTimeSyncPage::OwnServer_Edited(const QString& text) {
    const QString host = text.trimmed();
    if (!ownServerAcceptable()) {
        showOwnServerProblem();
        Q_EMIT changed();
        return;
    }
    OwnServerNote->hide();
    if (host.isEmpty()) {
        shared_.currentServerHost = listedHost_.isEmpty() ? openingHost_ : listedHost_;
    } else {
        shared_.currentServerHost = host;
        // No listed server is chosen now: the tree shows none, and its details go.
        building_ = true;
        ServerList->setCurrentItem(ServerList->topLevelItem(0));
        building_ = false;
        ServerNotes->clear();
        table_.currentServer = nullptr;
    }
    Q_EMIT changed();
}
