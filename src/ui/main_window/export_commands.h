#pragma once

// "Export...", "Batch Export..." and "Export Map...": each asks for the file to write and
// shows why it could not be written.

#include <QObject>

namespace tw {

class DocumentManager;
class FileMenuCommands;
class MapView;
class PlatformServices;
class ProblemsView;

class ExportCommands : public QObject {
    Q_OBJECT

public:
    ExportCommands(DocumentManager& documents, PlatformServices& services, FileMenuCommands& files,
                   MapView& map, ProblemsView& problems, QWidget& window);

    void Export();
    void BatchExport();
    void ExportMap();

private:
    DocumentManager& documents_;
    PlatformServices& services_;
    FileMenuCommands& files_;
    MapView& map_;
    ProblemsView& problems_;
    QWidget& window_;
};

}  // namespace tw
