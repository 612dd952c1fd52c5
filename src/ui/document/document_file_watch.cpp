#include "ui/document/document_file_watch.h"

#include <QFile>
#include <utility>

#include "ui/document/editor_document.h"
#include "ui/document/file_watch_hub.h"

namespace tw {
namespace {

// Another program's save often comes as several notifications (truncate and write, or a
// new file and a rename); the file is looked at once they have been quiet this long, so a
// save is one change, never a change per notification.
constexpr int kSettleMs = 100;

QString WatcherPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

DocumentFileWatch::DocumentFileWatch(const EditorDocument& document) : document_(document) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] { Check(); });
}

// The hub may have gone first, with the application.
DocumentFileWatch::~DocumentFileWatch() {
    if (hub_) {
        hub_->Unwatch(this);
    }
}

void DocumentFileWatch::RecordFile() {
    const std::string& path = document_.Path();
    if (path != watched_) {
        Watch(path);
    }
    saved_ = path.empty() ? std::nullopt : FingerprintOfFile(path);
    heard_ = saved_;
}

void DocumentFileWatch::Watch(const std::string& path) {
    watched_ = path;
    if (path.empty()) {
        if (hub_) {
            hub_->Unwatch(this);
        }
        return;
    }
    hub_ = &FileWatchHub::Instance();
    hub_->Watch(
        this, WatcherPath(path),
        [this] {
            KeepWatching();
            settle_.start();
        },
        [this] { OnDirectoryChanged(); });
}

// The directory tells of the file coming back after a delete, which the file's own watch,
// gone with the file, can't. Other files of the directory change too; they matter only while
// the file is unwatched.
void DocumentFileWatch::OnDirectoryChanged() {
    if (hub_ && !hub_->IsWatching(WatcherPath(watched_))) {
        KeepWatching();
        settle_.start();
    }
}

// A file replaced by a rename (as every atomic save does it, ours included) is another
// file: the watcher lets go of the path, and it is watched again here.
void DocumentFileWatch::KeepWatching() {
    if (hub_ && !watched_.empty()) {
        hub_->KeepWatching(WatcherPath(watched_));
    }
}

void DocumentFileWatch::Check() {
    if (asking_) {
        missed_ = true;
        return;
    }
    KeepWatching();
    const std::optional<FileStamp> now = watched_.empty() ? std::nullopt : StampOfFile(watched_);
    if (!now) {
        if (heard_) {
            heard_.reset();
            Tell(&DocumentFileWatch::removedFromDisk);
        }
        return;
    }
    const DiskChange change =
        heard_ ? CompareWithFile(*heard_, *now, [this] { return HashOfFile(watched_); })
               : DiskChange::kChanged;
    if (change == DiskChange::kTouched) {
        // The same bytes: only the times move on, the saved one too when it is these bytes.
        if (saved_ && saved_->hash == heard_->hash && saved_->stamp.size == now->size) {
            saved_->stamp = *now;
        }
        heard_->stamp = *now;
    } else if (change == DiskChange::kChanged) {
        heard_ = FingerprintOfFile(watched_);
        Tell(&DocumentFileWatch::changedOnDisk);
    }
}

bool DocumentFileWatch::HasChangedOnDisk() {
    const std::optional<FileStamp> now = watched_.empty() ? std::nullopt : StampOfFile(watched_);
    if (!now) {
        return false;
    }
    if (!saved_) {
        return true;
    }
    const DiskChange change =
        CompareWithFile(*saved_, *now, [this] { return HashOfFile(watched_); });
    if (change == DiskChange::kTouched) {
        saved_->stamp = *now;
    }
    return change == DiskChange::kChanged;
}

void DocumentFileWatch::Tell(void (DocumentFileWatch::*signal)()) {
    const OpenQuestion asking(*this);
    emit(this->*signal)();
}

// A change that came while the question was open is looked at now, against what the answer
// left: a reload has already taken it.
void DocumentFileWatch::EndQuestion() {
    asking_ = false;
    if (std::exchange(missed_, false)) {
        settle_.start();
    }
}

DocumentFileWatch::OpenQuestion::OpenQuestion(DocumentFileWatch& watch)
    : watch_(&watch), outer_(!watch.asking_) {
    watch.asking_ = true;
}

// The document may have gone while its question was open.
DocumentFileWatch::OpenQuestion::~OpenQuestion() {
    if (watch_ && outer_) {
        watch_->EndQuestion();
    }
}

}  // namespace tw
