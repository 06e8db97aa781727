#include "ui/QtSettingsStore.h"

#include <QSettings>

namespace vornik {

namespace {
QString Path(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}
}  // namespace

QtSettingsStore::QtSettingsStore() : settings_(std::make_unique<QSettings>("Vesko", "vornik2")) {}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() { settings_->sync(); }

std::optional<std::string> QtSettingsStore::read(const std::string& section, const std::string& key) const {
    const QVariant v = settings_->value(Path(section, key));
    if (!v.isValid()) return std::nullopt;
    return v.toString().toStdString();
}

void QtSettingsStore::write(const std::string& section, const std::string& key, const std::string& value) {
    settings_->setValue(Path(section, key), QString::fromStdString(value));
}

void QtSettingsStore::remove(const std::string& section, const std::string& key) {
    settings_->remove(Path(section, key));
}

void QtSettingsStore::eraseSection(const std::string& section) {
    settings_->remove(QString::fromStdString(section));
}

std::vector<std::string> QtSettingsStore::keys(const std::string& section) const {
    settings_->beginGroup(QString::fromStdString(section));
    const QStringList names = settings_->childKeys();
    settings_->endGroup();
    std::vector<std::string> out;
    for (const QString& n : names) out.push_back(n.toStdString());
    return out;
}

void QtSettingsStore::sync() { settings_->sync(); }

QString QtSettingsStore::fileName() const { return settings_->fileName(); }

}  // namespace vornik
