// Desktop locale changes: a watcher on the user's locale files and a filter for Qt's
// locale-change event, both ending in DesktopLocaleChanged.
#include "ui/kernel/DesktopLocale.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>
#include <QTextStream>

#include <cstdlib>

#include "rtl/Locale.h"
#include "ui/kernel/SettingChange.h"

namespace vt {
namespace {

const char* const kLocaleFiles[] = {"locale.conf", "plasma-localerc"};

bool IsLocaleSetting(const QString& key) { return key == "LANG" || key.startsWith("LC_"); }

// "KEY=value" lines (sections, comments and anything else are skipped; quotes are dropped).
void TakeSettingsFrom(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        if (IsLocaleSetting(key) && !value.isEmpty())
            setenv(key.toLocal8Bit().constData(), value.toLocal8Bit().constData(), 1);
    }
}

// Watches the directory (files appear and are replaced) and the files that exist.
class LocaleWatcher : public QObject {
public:
    explicit LocaleWatcher(QObject* parent) : QObject(parent), FDir(QString::fromStdString(DesktopLocaleConfigDir()))
    {
        QObject::connect(&FWatcher, &QFileSystemWatcher::directoryChanged, this, [this] { Changed(); });
        QObject::connect(&FWatcher, &QFileSystemWatcher::fileChanged, this, [this] { Changed(); });
        Watch();
        FLast = Contents();
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == qApp && event->type() == QEvent::LocaleChange)
            DesktopLocaleChanged();
        return false;
    }

private:
    void Watch()
    {
        if (QDir(FDir).exists() && !FWatcher.directories().contains(FDir))
            FWatcher.addPath(FDir);
        for (const char* name : kLocaleFiles) {
            const QString path = QDir(FDir).filePath(name);
            if (QFile::exists(path) && !FWatcher.files().contains(path))
                FWatcher.addPath(path);
        }
    }
    QByteArray Contents() const
    {
        QByteArray all;
        for (const char* name : kLocaleFiles) {
            QFile file(QDir(FDir).filePath(name));
            if (file.open(QIODevice::ReadOnly))
                all += file.readAll() + '\n';
        }
        return all;
    }
    // Editors replace files, which ends their watch: watch again, and act only on new contents.
    void Changed()
    {
        Watch();
        const QByteArray now = Contents();
        if (now == FLast)
            return;
        FLast = now;
        DesktopLocaleChanged();
    }

    QString FDir;
    QFileSystemWatcher FWatcher;
    QByteArray FLast;
};

}  // namespace

String DesktopLocaleConfigDir()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config)
        return config;
    const char* home = std::getenv("HOME");
    return String(home ? home : "") + "/.config";
}

void DesktopLocaleChanged()
{
    const QDir dir(QString::fromStdString(DesktopLocaleConfigDir()));
    for (const char* name : kLocaleFiles)
        TakeSettingsFrom(dir.filePath(name));
    if (UpdateFormatSettings())
        ResetLocaleFromSystem();
    NotifySettingChange();
}

void ListenForDesktopLocaleChanges()
{
    static LocaleWatcher* watcher = new LocaleWatcher(qApp);
    (void)watcher;
}

}  // namespace vt
