#pragma once

// Grabs of windows kept in <build>/screenshots for a look by eye.

#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <QWidget>

namespace tw::test {

inline void SaveShot(QWidget& widget, const QString& name) {
    const QString dir = QString(TW_BINARY_DIR) + "/screenshots";
    QDir().mkpath(dir);
    EXPECT_TRUE(widget.grab().save(dir + "/" + name + ".png"));
}

}  // namespace tw::test
