#pragma once

#include "chart/chart_preferences.h"

#include <functional>
#include <memory>

class QSettings;

namespace hygrovane::views {

// Where one chart window keeps its preferences between runs: a group of a QSettings file it
// opens once. Without a source nothing is read or kept (other windows' tests and benchmarks
// then never touch the user's file).
class ChartSettingsStore {
  public:
    using Source = std::function<std::unique_ptr<QSettings>()>;

    explicit ChartSettingsStore(const Source& source);
    ~ChartSettingsStore();
    ChartSettingsStore(const ChartSettingsStore&) = delete;
    ChartSettingsStore& operator=(const ChartSettingsStore&) = delete;

    // The user's settings file of the program.
    static Source UserSettings();

    // What was kept; the defaults when nothing was or the file cannot be read.
    chart::PreferencesRead load() const;
    // Replaces what was kept with these preferences.
    void save(const chart::ChartPreferences& preferences);
    // Forgets what was kept.
    void reset();

  private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace hygrovane::views
