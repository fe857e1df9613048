#include "options/OptionsTimeSyncPage.h"

#include "options/NumberBoxEdit.h"
#include "options/SpinButtons.h"
#include "settings/SharedSettingsState.h"
#include "stats/SysInfo.h"
#include "timesync/TimeServerTable.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
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
    auto* servers = new QHBoxLayout(Frame1);
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
    servers->addWidget(ServerList, 2);
    servers->addWidget(ServerNotes, 3);
    layout->addWidget(Frame1, 1);

    Frame2 = new QGroupBox(QStringLiteral("Synchronization"), this);
    auto* sync = new QHBoxLayout(Frame2);
    Check3 = new QCheckBox(QStringLiteral("Synchronize clock when program starts?"), Frame2);
    Check3->setObjectName(QStringLiteral("Check3"));
    Label5 = new QLabel(QStringLiteral("Synchronize every"), Frame2);
    SyncDays = new NumberBoxEdit(Frame2);
    SyncDays->setObjectName(QStringLiteral("SyncDays"));
    SyncDays->setFixedWidth(SyncDays->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10);
    SyncDays->box().setLimitedPicture(QStringLiteral("#0"), 1, 99, true);
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
    connect(Check3, &QCheckBox::toggled, this, [this] {
        followSyncBox();
        Q_EMIT changed();
    });
    connect(SyncDays, &NumberBoxEdit::Change, this, &OptionsTimeSyncPage::changed);
    connect(SyncNowButton, &QPushButton::clicked, this, &OptionsTimeSyncPage::syncNowRequested);
    followSyncBox();
}

void OptionsTimeSyncPage::prepare(bool syncAtStart, int syncDays, bool syncNowAvailable) {
    table_.FindTimeServer(shared_.currentServerHost);
    if (table_.currentServerIndex == TimeServerTable::kNotFound) {
        table_.currentServer = nullptr;
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
    if (index == table_.currentServerIndex || index < 0 || size_t(index) >= table_.timeServers.size()) {
        return;
    }
    table_.currentServerIndex = index;
    table_.currentServer = table_.timeServers.at(size_t(index)).get();
    ShowServerDetails(table_.currentServer);
    Q_EMIT changed();
}

void OptionsTimeSyncPage::ShowServerDetails(const TimeServer* record) {
    ServerNotes->clear();
    if (!record) {
        return;
    }
    shared_.currentServerHost = record->HostName();
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
