#pragma once

#include <QDialog>
#include <QSize>
#include <cstdint>
#include <vector>

class QSizeGrip;

namespace tw {

class PlatformServices;

// Layout flags: how a control follows a change of the window's client size.
enum LayoutFlag : std::uint32_t {
    kLayoutHalfLeftOnly = 0x0001,  // with kLayoutCenterX: only the right edge, by dx/2
    kLayoutHalfTopOnly = 0x0002,   // with kLayoutCenterY: only the bottom edge, by dy/2
    kLayoutMoveX = 0x0004,
    kLayoutMoveY = 0x0008,
    kLayoutMoveHalfX = 0x0010,
    kLayoutMoveHalfY = 0x0020,
    kLayoutGrowX = 0x0040,
    kLayoutGrowY = 0x0080,
    kLayoutCenterX = 0x0100,
    kLayoutCenterY = 0x0200,
    kLayoutRepaint = 0x0400,
};

// A control's edges in floating point, so that repeated resizing does not drift.
struct LayoutRect {
    double top = 0;
    double bottom = 0;
    double left = 0;
    double right = 0;
};

// Moves one rectangle by a client-size change (dx, dy) as the flags say.
void ApplyLayoutFlags(std::uint32_t flags, double dx, double dy, LayoutRect& rect);

// Base of the resizable windows: moves and stretches registered controls when the window is
// resized, shows a size grip, keeps the creation size as the minimum and remembers the size
// in the profile section named by the template id in lower-case hexadecimal.
class CResizingDialog : public QDialog {
    Q_OBJECT

public:
    // One control and its layout flags (the high half of a layout table entry).
    struct LayoutEntry {
        QWidget* control = nullptr;
        std::uint32_t flags = 0;
    };

    CResizingDialog(int templateId, PlatformServices& services, QWidget* parent = nullptr);
    ~CResizingDialog() override;

    // Call after the controls are placed and the window has its creation size.
    void SetLayout(std::vector<LayoutEntry> layout) { layout_ = std::move(layout); }
    // Takes the creation size as the minimum, restores the remembered size and records
    // where every control stands.
    void InitDialog();

    void SetRememberSize(bool remember) { rememberSize_ = remember; }
    void SetShowGrip(bool show);
    bool IsResized() const { return resized_; }
    int TemplateId() const { return templateId_; }
    QSizeGrip* Grip() const { return grip_; }

    void done(int result) override;

protected:
    PlatformServices& Services() const { return services_; }
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString ProfileSection() const;
    void RestoreSize();
    void SaveSize();
    void PlaceGrip();

    int templateId_;
    PlatformServices& services_;
    bool rememberSize_ = true;
    bool showGrip_ = true;
    bool resized_ = false;
    QSize lastSize_;  // invalid before the first resize
    std::vector<LayoutEntry> layout_;
    std::vector<LayoutRect> rects_;
    QSizeGrip* grip_;
};

}  // namespace tw
