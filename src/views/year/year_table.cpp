#include "views/year/year_table.h"

#include <QHeaderView>
#include <QTableWidget>

namespace hygrovane::views {

QTableWidget* MakeYearTable(const char* objectName, QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(objectName));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    return table;
}

void ShowYearTable(QTableWidget* table, const models::YearTable& shown) {
    table->clear();
    table->setColumnCount(static_cast<int>(shown.header.size()));
    table->setRowCount(static_cast<int>(shown.rows.size()));
    QStringList header;
    for (const std::string& h : shown.header) {
        header << QString::fromStdString(h);
    }
    table->setHorizontalHeaderLabels(header);
    for (std::size_t r = 0; r < shown.rows.size(); ++r) {
        for (std::size_t c = 0; c < shown.rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(shown.rows[r][c]));
            if (c > 0) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            table->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    table->resizeColumnsToContents();
}

} // namespace hygrovane::views
