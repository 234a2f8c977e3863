#include "ui/qt_settings_store.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace mensora {
namespace {

QString settingsKey(const std::string& key) {
    return QStringLiteral("Settings/") + QString::fromStdString(key);
}

QString applicationName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Mensora"),
                applicationName()) {}

std::int32_t QtSettingsStore::get(const std::string& key, std::int32_t defaultValue) {
    const QVariant stored = settings_.value(settingsKey(key));
    if (!stored.isValid()) return defaultValue;
    // Whatever the file holds, only a whole number in 32-bit range is a value; anything else
    // (text, a fraction, an overflow) reads as missing.
    bool ok = false;
    const qlonglong value = stored.toString().trimmed().toLongLong(&ok);
    if (!ok || value < INT32_MIN || value > INT32_MAX) return defaultValue;
    return static_cast<std::int32_t>(value);
}

void QtSettingsStore::put(const std::string& key, std::int32_t value) {
    settings_.setValue(settingsKey(key), value);
    settings_.sync();
}

std::optional<std::string> QtSettingsStore::getText(const std::string& section,
                                                    const std::string& key) {
    const QVariant stored =
        settings_.value(QString::fromStdString(section) + '/' + QString::fromStdString(key));
    if (!stored.isValid()) return std::nullopt;
    return stored.toString().toStdString();
}

void QtSettingsStore::putText(const std::string& section, const std::string& key,
                              const std::string& value) {
    settings_.setValue(QString::fromStdString(section) + '/' + QString::fromStdString(key),
                       QString::fromStdString(value));
    settings_.sync();
}

std::optional<std::string> QtSettingsStore::portOverride(const std::string& portName) {
    const QVariant stored =
        settings_.value(QStringLiteral("Ports/") + QString::fromStdString(portName));
    const QString path = stored.toString().trimmed();
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

}  // namespace mensora
