#pragma once

#include "models/year_model.h"

class QTableWidget;
class QWidget;

namespace hygrovane::views {

// The year page's tables, in one place so that a shared report table can take their place.
QTableWidget* MakeYearTable(const char* objectName, QWidget* parent);
void ShowYearTable(QTableWidget* table, const models::YearTable& shown);

} // namespace hygrovane::views
