#include "views/chart/chart_settings_store.h"

#include "hygrovane/config.h"

#include <QSettings>
#include <QStringList>

namespace hygrovane::views {

namespace {

// The group of the file the chart's keys live in, beside any other window's.
const char* const kGroup = "chart";

} // namespace

ChartSettingsStore::ChartSettingsStore(const Source& source)
    : settings_(source ? source() : nullptr) {}

ChartSettingsStore::~ChartSettingsStore() = default;

ChartSettingsStore::Source ChartSettingsStore::UserSettings() {
    // The program sets no organisation or application name on QCoreApplication; the maker's
    // name and the program's name make the file ~/.config/<maker>/Hygrovane.conf.
    return [] {
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           QString::fromUtf8(config::kMakerName),
                                           QStringLiteral("Hygrovane"));
    };
}

chart::PreferencesRead ChartSettingsStore::load() const {
    if (!settings_ || settings_->status() != QSettings::NoError) {
        return {};
    }
    const QSettings& settings = *settings_;
    return chart::ReadPreferences(
        [&settings](const std::string& key) -> std::optional<std::string> {
            const QString path = QString::fromLatin1(kGroup) + "/" + QString::fromStdString(key);
            if (!settings.contains(path)) {
                return std::nullopt;
            }
            const QVariant value = settings.value(path);
            // An unquoted text with commas, as a hand edit may leave it, reads back as a list.
            if (value.typeId() == QMetaType::QStringList) {
                return value.toStringList().join(',').toStdString();
            }
            return value.toString().toStdString();
        });
}

void ChartSettingsStore::save(const chart::ChartPreferences& preferences) {
    if (!settings_) {
        return;
    }
    // Written whole, so that no key of an earlier, longer list of marks is left behind.
    settings_->remove(QString::fromLatin1(kGroup));
    settings_->beginGroup(QString::fromLatin1(kGroup));
    for (const auto& [key, value] : chart::PreferenceEntries(preferences)) {
        settings_->setValue(QString::fromStdString(key), QString::fromStdString(value));
    }
    settings_->endGroup();
}

void ChartSettingsStore::reset() {
    if (settings_) {
        settings_->remove(QString::fromLatin1(kGroup));
        settings_->sync();
    }
}

} // namespace hygrovane::views
