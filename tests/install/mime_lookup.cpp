// Prints the MIME type Qt's database (the freedesktop one, read from XDG_DATA_DIRS) gives
// each file named, one per line: the desktop's own view of what a file is.

#include <QCoreApplication>
#include <QMimeDatabase>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QMimeDatabase database;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        std::printf("%s\n", qPrintable(database.mimeTypeForFile(arguments[i]).name()));
    }
    return 0;
}
