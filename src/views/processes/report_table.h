#pragma once

#include "tables/table.h"

#include <QObject>

#include <functional>
#include <memory>
#include <set>
#include <string>

class QMenu;
class QSettings;
class QTableWidget;

namespace hygrovane::views {

// A results table shown from a section of the table model: short titles with the unit on a second
// header line, report-style numbers right-aligned with every digit in the tool tip, columns sized
// to their contents (a long text column capped, its whole text in the tool tip), and a column
// chooser in the header's context menu whose choice is kept between runs in a QSettings group.
class ReportTable : public QObject {
  public:
    using Settings = std::function<std::unique_ptr<QSettings>()>;

    // `name` is the settings key of the table's choice; `hiddenAtFirst` says which columns a
    // reader who never chose sees hidden. Without settings, nothing is read or kept.
    ReportTable(QTableWidget& table, std::string name,
                std::function<bool(const std::string& column)> hiddenAtFirst,
                const Settings& settings);
    ~ReportTable() override;

    // Shows the section unless it shows the same already (the main window redraws at every
    // keystroke, and a redraw would lose the scroll position).
    void show(const tables::Section& section);

    // The column chooser: one checkable entry per column, the section's columns in order.
    QMenu* chooser();
    void setColumnShown(const std::string& column, bool shown);
    bool columnShown(const std::string& column) const;

  private:
    void applyHidden();
    void fitColumns();

    QTableWidget& table_;
    std::string name_;
    std::unique_ptr<QSettings> settings_;
    std::set<std::string> hidden_;
    // Until the first section is shown, without a kept choice: which columns start hidden.
    std::function<bool(const std::string& column)> hiddenAtFirst_;
    tables::Section shown_;
    std::string signature_; // of the cells shown, to skip a redraw that changes nothing
};

} // namespace hygrovane::views
