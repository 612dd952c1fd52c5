#include "ui/main_window/splitter_memory.h"

#include <QSplitter>
#include <QStringList>

#include "ui/platform/platform_services.h"

namespace tw {

// Sizes are kept as "440,560": one number a pane, in the splitter's order.
void RestoreSplitter(QSplitter& splitter, PlatformServices& services, const std::string& section,
                     const char* key) {
    const QString kept = QString::fromStdString(services.GetProfileString(section, key, ""));
    const QStringList parts = kept.split(',', Qt::SkipEmptyParts);
    if (parts.size() != splitter.count()) {
        return;
    }
    QList<int> sizes;
    for (const QString& part : parts) {
        bool ok = false;
        const int size = part.toInt(&ok);
        if (!ok || size < 0) {
            return;
        }
        sizes.push_back(size);
    }
    splitter.setSizes(sizes);
}

void SaveSplitter(const QSplitter& splitter, PlatformServices& services, const std::string& section,
                  const char* key) {
    QStringList parts;
    for (int size : splitter.sizes()) {
        parts.push_back(QString::number(size));
    }
    services.WriteProfileString(section, key, parts.join(',').toStdString());
}

}  // namespace tw
