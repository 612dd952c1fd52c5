#include "ui/document/file_watch_hub.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <vector>

namespace tw {

FileWatchHub& FileWatchHub::Instance() {
    static QPointer<FileWatchHub> hub;
    if (!hub) {
        hub = new FileWatchHub(QCoreApplication::instance());
    }
    return *hub;
}

FileWatchHub::FileWatchHub(QObject* parent) : QObject(parent) {
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this,
            [this](const QString& path) { Tell(path, &Listener::file, &Listener::onFile); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this](const QString& path) {
        Tell(path, &Listener::directory, &Listener::onDirectory);
    });
}

void FileWatchHub::Watch(const QObject* listener, const QString& file, std::function<void()> onFile,
                         std::function<void()> onDirectory) {
    Unwatch(listener);
    const QString directory = QFileInfo(file).absolutePath();
    listeners_[listener] = {file, directory, std::move(onFile), std::move(onDirectory)};
    for (const QString& path : {directory, file}) {
        if (!watcher_.files().contains(path) && !watcher_.directories().contains(path)) {
            watcher_.addPath(path);
        }
    }
}

// A path goes from the watcher when no listener is left for it: documents share directories.
void FileWatchHub::Unwatch(const QObject* listener) {
    const auto found = listeners_.find(listener);
    if (found == listeners_.end()) {
        return;
    }
    const Listener gone = found->second;
    listeners_.erase(found);
    for (const QString& path : {gone.file, gone.directory}) {
        if (!IsListenedTo(path)) {
            watcher_.removePath(path);
        }
    }
}

void FileWatchHub::KeepWatching(const QString& file) {
    if (!watcher_.files().contains(file) && QFile::exists(file)) {
        watcher_.addPath(file);
    }
}

bool FileWatchHub::IsWatching(const QString& file) const {
    return watcher_.files().contains(file);
}

bool FileWatchHub::IsListenedTo(const QString& path) const {
    for (const auto& [listener, watched] : listeners_) {
        if (watched.file == path || watched.directory == path) {
            return true;
        }
    }
    return false;
}

// The callbacks are gathered first, so that one may change the listeners while the others
// still wait to hear.
void FileWatchHub::Tell(const QString& path, QString Listener::*which,
                        std::function<void()> Listener::*callback) const {
    std::vector<std::function<void()>> calls;
    for (const auto& [listener, watched] : listeners_) {
        if (watched.*which == path) {
            calls.push_back(watched.*callback);
        }
    }
    for (const std::function<void()>& call : calls) {
        call();
    }
}

}  // namespace tw
