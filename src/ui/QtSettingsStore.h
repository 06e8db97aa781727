#pragma once

#include <QString>
#include <memory>

#include "platform/SettingsStore.h"

class QSettings;

namespace vornik {

// The settings root as a QSettings file: QSettings("Vesko", "vornik2"), that
// is ~/.config/Vesko/vornik2.conf. Sections are groups, values strings.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();                                 // the user's own settings
    explicit QtSettingsStore(const QString& iniPath);  // a file of our choosing (tests)
    ~QtSettingsStore() override;

    std::optional<std::string> read(const std::string& section, const std::string& key) const override;
    void write(const std::string& section, const std::string& key, const std::string& value) override;
    void remove(const std::string& section, const std::string& key) override;
    void eraseSection(const std::string& section) override;
    std::vector<std::string> keys(const std::string& section) const override;

    void sync();
    QString fileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace vornik
