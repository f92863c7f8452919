#include "views/processes/report_table.h"

#include "views/common/view_support.h"

#include <QHeaderView>
#include <QMenu>
#include <QSettings>
#include <QStringList>
#include <QTableWidget>

namespace hygrovane::views {

namespace {

// Text columns that can grow without bound (a process's caption, a failure's reason) stay this
// narrow; their whole text is in the tool tip.
constexpr int kWidestText = 220;

const char* const kGroup = "processes";

QString SettingsKey(const std::string& name) {
    return QString::fromLatin1(kGroup) + "/hiddenColumns/" + QString::fromStdString(name);
}

QString HeaderText(const tables::Column& column) {
    const std::string unit(tables::SymbolOf(column.unit));
    return qs(column.title + (unit.empty() ? std::string() : "\n" + unit));
}

std::string Signature(const tables::Section& section) {
    std::string signature;
    for (const tables::Column& column : section.columns) {
        signature += column.key + "|" + column.title + "|" +
                     std::string(tables::SymbolOf(column.unit)) + "\x1f";
    }
    for (const tables::Row& row : section.rows) {
        signature += "\x1e";
        for (const tables::Cell& cell : row.cells) {
            signature += cell.Shown() + "|" + cell.Full() + "\x1f";
        }
    }
    return signature;
}

} // namespace

ReportTable::ReportTable(QTableWidget& table, std::string name,
                         std::function<bool(const std::string& column)> hiddenAtFirst,
                         const Settings& settings)
    : QObject(&table), table_(table), name_(std::move(name)),
      settings_(settings ? settings() : nullptr) {
    const bool kept = settings_ && settings_->status() == QSettings::NoError &&
                      settings_->contains(SettingsKey(name_));
    if (kept) {
        for (const QString& column : settings_->value(SettingsKey(name_)).toStringList()) {
            hidden_.insert(column.toStdString());
        }
    } else {
        hiddenAtFirst_ = std::move(hiddenAtFirst);
    }
    table_.horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    table_.horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(
        table_.horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
        [this](const QPoint& at) { chooser()->popup(table_.horizontalHeader()->mapToGlobal(at)); });
}

ReportTable::~ReportTable() = default;

void ReportTable::show(const tables::Section& section) {
    std::string signature = Signature(section);
    if (signature == signature_) {
        return;
    }
    signature_ = std::move(signature);
    shown_ = section;
    if (hiddenAtFirst_) {
        // The first choice is the window's: the main columns, and what fits beside them.
        for (const tables::Column& column : section.columns) {
            if (hiddenAtFirst_(column.key)) {
                hidden_.insert(column.key);
            }
        }
        hiddenAtFirst_ = nullptr;
    }
    const int selectedRow = table_.currentRow();
    table_.setColumnCount(static_cast<int>(section.columns.size()));
    table_.setRowCount(static_cast<int>(section.rows.size()));
    for (std::size_t c = 0; c < section.columns.size(); ++c) {
        auto* header = new QTableWidgetItem(HeaderText(section.columns[c]));
        header->setData(Qt::UserRole, QString::fromStdString(section.columns[c].key));
        table_.setHorizontalHeaderItem(static_cast<int>(c), header);
    }
    for (std::size_t r = 0; r < section.rows.size(); ++r) {
        const tables::Row& row = section.rows[r];
        for (std::size_t c = 0; c < row.cells.size() && c < section.columns.size(); ++c) {
            const tables::Cell& cell = row.cells[c];
            auto* item = new QTableWidgetItem(qs(cell.Shown()));
            if (cell.IsNumber()) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                const std::string full = cell.Full();
                const std::string unit(tables::SymbolOf(cell.unit));
                if (!full.empty()) {
                    item->setToolTip(qs(full + (unit.empty() ? "" : " " + unit)));
                }
            } else if (!cell.text.empty()) {
                item->setToolTip(qs(cell.text));
            }
            table_.setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    applyHidden();
    fitColumns();
    if (selectedRow >= 0 && selectedRow < table_.rowCount()) {
        table_.selectRow(selectedRow);
    }
}

void ReportTable::fitColumns() {
    table_.resizeColumnsToContents();
    for (std::size_t c = 0; c < shown_.columns.size(); ++c) {
        const int column = static_cast<int>(c);
        if (shown_.columns[c].quantity == tables::Quantity::Text &&
            table_.columnWidth(column) > kWidestText) {
            table_.setColumnWidth(column, kWidestText);
        }
    }
}

void ReportTable::applyHidden() {
    for (std::size_t c = 0; c < shown_.columns.size(); ++c) {
        table_.setColumnHidden(static_cast<int>(c), hidden_.contains(shown_.columns[c].key));
    }
}

QMenu* ReportTable::chooser() {
    delete table_.findChild<QMenu*>(QStringLiteral("columnChooser"));
    auto* menu = new QMenu(&table_);
    menu->setObjectName(QStringLiteral("columnChooser"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const tables::Column& column : shown_.columns) {
        const std::string unit(tables::SymbolOf(column.unit));
        QAction* action =
            menu->addAction(qs(column.title + (unit.empty() ? "" : " (" + unit + ")")));
        action->setObjectName(QString::fromStdString(column.key));
        action->setCheckable(true);
        action->setChecked(!hidden_.contains(column.key));
        connect(action, &QAction::toggled, this,
                [this, key = column.key](bool on) { setColumnShown(key, on); });
    }
    return menu;
}

void ReportTable::setColumnShown(const std::string& column, bool shown) {
    if (shown) {
        hidden_.erase(column);
    } else {
        hidden_.insert(column);
    }
    applyHidden();
    fitColumns();
    if (settings_) {
        QStringList kept;
        for (const std::string& key : hidden_) {
            kept << QString::fromStdString(key);
        }
        settings_->setValue(SettingsKey(name_), kept);
        settings_->sync();
    }
}

bool ReportTable::columnShown(const std::string& column) const {
    return !hidden_.contains(column);
}

} // namespace hygrovane::views
