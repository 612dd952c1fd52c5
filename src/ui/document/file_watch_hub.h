#pragma once

// FileWatchHub: the one file-system watcher every open document shares. Each watcher holds
// one of the user's inotify instances (128 by default, for every program the user runs), so
// a watcher per document would use them up once a batch export opened a few hundred files.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <functional>
#include <map>

namespace tw {

class FileWatchHub : public QObject {
    Q_OBJECT

public:
    // The running application's hub, made on first use.
    static FileWatchHub& Instance();

    // The listener hears of its file (written, replaced or deleted) and of anything in the
    // file's directory; a listener watches one file, so this replaces what it watched.
    void Watch(const QObject* listener, const QString& file, std::function<void()> onFile,
               std::function<void()> onDirectory);
    void Unwatch(const QObject* listener);
    // The watcher lets go of a file replaced by a rename or deleted; this takes it up again
    // when the path names a file.
    void KeepWatching(const QString& file);
    bool IsWatching(const QString& file) const;

private:
    struct Listener {
        QString file;
        QString directory;
        std::function<void()> onFile;
        std::function<void()> onDirectory;
    };

    explicit FileWatchHub(QObject* parent);
    void Tell(const QString& path, QString Listener::*which,
              std::function<void()> Listener::*callback) const;
    bool IsListenedTo(const QString& path) const;

    QFileSystemWatcher watcher_;
    std::map<const QObject*, Listener> listeners_;
};

}  // namespace tw
