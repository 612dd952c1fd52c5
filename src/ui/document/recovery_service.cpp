#include "ui/document/recovery_service.h"

#include <QFile>
#include <QStandardPaths>
#include <chrono>
#include <ctime>
#include <memory>
#include <utility>

#include "ui/document/document_manager.h"
#include "ui/document/editor_document.h"

namespace tw {
namespace {

// How long one slice of a copy's bytes may keep the window's thread, and how many nodes are
// written between two looks at the clock (well under a millisecond's worth).
constexpr std::chrono::milliseconds kSliceTime{4};
constexpr std::size_t kNodesPerClockLook = 512;

}  // namespace

DocumentRecovery::DocumentRecovery(EditorDocument& document, std::uint64_t key, bool hasCopy)
    : QObject(&document), key_(key), hasCopy_(hasCopy) {
    timer_.setSingleShot(true);
}

RecoveryService::RecoveryService(DocumentManager& documents, std::string directory,
                                 std::chrono::milliseconds interval, QObject* parent)
    : QObject(parent), documents_(&documents), store_(std::move(directory)), interval_(interval) {
    writer_.setMaxThreadCount(1);
    for (std::size_t i = 0; i < documents.Count(); ++i) {
        Follow(documents.At(i));
    }
    connect(&documents, &DocumentManager::documentAdded, this,
            [this](EditorDocument& document) { Follow(document); });
    connect(&documents, &DocumentManager::documentAboutToClose, this,
            [this](EditorDocument& document) {
                if (auto* recovery = document.findChild<DocumentRecovery*>()) {
                    RemoveCopy(*recovery);
                }
            });
}

// The documents may outlive the service; what followed them goes now, copies stay on disk.
RecoveryService::~RecoveryService() {
    writer_.waitForDone();
    if (documents_) {
        for (std::size_t i = 0; i < documents_->Count(); ++i) {
            delete documents_->At(i).findChild<DocumentRecovery*>();
        }
    }
}

void RecoveryService::Follow(EditorDocument& document) {
    const bool adopted = adoptedKey_.has_value();
    const std::uint64_t key = adopted ? *std::exchange(adoptedKey_, std::nullopt) : store_.NewKey();
    auto* recovery = new DocumentRecovery(document, key, adopted);
    connect(&recovery->Timer(), &QTimer::timeout, recovery,
            [this, &document, recovery] { WriteCopy(document, *recovery); });
    connect(&document, &EditorDocument::changed, recovery,
            [this, &document, recovery] { OnChanged(document, *recovery); });
    connect(&document, &EditorDocument::modifiedChanged, recovery, [this, recovery](bool modified) {
        if (!modified) {
            RemoveCopy(*recovery);
        }
    });
    if (document.IsModified()) {
        OnChanged(document, *recovery);
    }
}

// The first change the copy lacks starts the interval; later ones don't restart it, so a
// writer who types without a pause still has a copy at most one interval old.
void RecoveryService::OnChanged(EditorDocument& document, DocumentRecovery& recovery) {
    if (interval_.count() > 0 && document.IsModified() && !recovery.Timer().isActive()) {
        recovery.Timer().start(interval_);
    }
}

void RecoveryService::WriteCopy(EditorDocument& document, DocumentRecovery& recovery,
                                bool allAtOnce) {
    recovery.Timer().stop();
    if (!document.IsModified() || store_.OpenError()) {
        recovery.bytes.reset();
        return;
    }
    recovery.bytes = std::make_unique<DialogueSliceWriter>(document.GetDialogue());
    recovery.bytesGeneration = document.Generation();
    MakeBytes(document, recovery, allAtOnce);
}

// A slice is a few milliseconds of the window's thread; the next one comes after the events
// that waited. The writer points into the dialogue, so a change drops it: the change has
// started the interval again.
void RecoveryService::MakeBytes(EditorDocument& document, DocumentRecovery& recovery,
                                bool allAtOnce) {
    if (recovery.bytes == nullptr) {
        return;
    }
    if (document.Generation() != recovery.bytesGeneration || !document.IsModified()) {
        recovery.bytes.reset();
        return;
    }
    const auto until = std::chrono::steady_clock::now() + kSliceTime;
    while (!recovery.bytes->WriteSome(kNodesPerClockLook)) {
        if (!allAtOnce && std::chrono::steady_clock::now() >= until) {
            QTimer::singleShot(0, &recovery, [this, &document, &recovery] {
                MakeBytes(document, recovery, false);
            });
            return;
        }
    }
    HandOn(document, recovery);
}

void RecoveryService::HandOn(EditorDocument& document, DocumentRecovery& recovery) {
    const Dialogue& dialogue = document.GetDialogue();
    RecoveryRecord record{std::nullopt, dialogue.Npc().name, std::time(nullptr)};
    if (!document.Path().empty()) {
        record.originalPath = document.Path();
    }
    recovery.SetHasCopy(true);
    std::string bytes = recovery.bytes->TakeBytes();
    recovery.bytes.reset();
    writer_.start([this, key = recovery.Key(), record = std::move(record),
                   bytes = std::move(bytes)] {
        if (std::optional<std::string> error = store_.WriteCopy(key, record, bytes)) {
            QMetaObject::invokeMethod(this, [this, message = *error] { ReportFailure(message); });
        }
    });
}

void RecoveryService::RemoveCopy(DocumentRecovery& recovery) {
    recovery.Timer().stop();
    recovery.bytes.reset();
    if (recovery.HasCopy()) {
        recovery.SetHasCopy(false);
        writer_.start([this, key = recovery.Key()] { store_.RemoveCopy(key); });
    }
}

void RecoveryService::WriteDueCopies() {
    if (documents_) {
        for (std::size_t i = 0; i < documents_->Count(); ++i) {
            EditorDocument& document = documents_->At(i);
            auto* recovery = document.findChild<DocumentRecovery*>();
            if (recovery != nullptr && (recovery->Timer().isActive() || recovery->bytes)) {
                WriteCopy(document, *recovery, true);
            }
        }
    }
    writer_.waitForDone();
}

void RecoveryService::ReportFailure(const std::string& message) {
    if (!reported_ && report_) {
        reported_ = true;
        report_("Unsaved work can't be kept for recovery:\n" + message);
    }
}

std::optional<std::string> RecoveryService::Recover(const RecoveryCopy& copy) {
    if (!documents_) {
        return "The editor is closing.";
    }
    auto dialogue = std::make_unique<Dialogue>();
    if (std::optional<std::string> error = dialogue->Load(copy.dialoguePath)) {
        return error;
    }
    std::uint64_t key = 0;
    if (std::optional<std::string> error = store_.Adopt(copy.id, key)) {
        return error;
    }
    dialogue->SetPath(copy.record.originalPath.value_or(std::string()));
    dialogue->SetScratch(false);
    dialogue->SetModified(true);
    adoptedKey_ = key;
    documents_->Add(std::make_unique<EditorDocument>(std::move(dialogue)));
    adoptedKey_.reset();
    return std::nullopt;
}

std::string DefaultRecoveryDirectory() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QFile::encodeName(data + "/recovery").toStdString();
}

}  // namespace tw
