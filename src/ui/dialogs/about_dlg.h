#pragma once

#include <QDialog>

namespace tw {

// "About Vorunda Dialogue Editor": the program's icon, name and version.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 100;
    static constexpr const char* kVersionLine = "Vorunda Dialogue Editor v.1.0.1";

    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace tw
