// File > Export Map: what the map shows, as Graphviz's SVG or as a picture of the drawing.

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "base/file_write.h"
#include "ui/views/map/map_scene.h"
#include "ui/views/map/map_view.h"

namespace tw {
namespace {

// A picture at this many pixels a point, fewer for a drawing that would pass kMostPixels.
constexpr double kPixelsPerPoint = 1.5;
constexpr double kMostPixels = 40e6;

bool EndsWithPng(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    std::string end = path.substr(path.size() - 4);
    std::transform(end.begin(), end.end(), end.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return end == ".png";
}

std::optional<std::string> PngOf(MapScene& scene, std::string& bytes) {
    const QRectF source = scene.sceneRect();
    const double area = std::max(1.0, source.width() * source.height());
    const double scale = std::min(kPixelsPerPoint, std::sqrt(kMostPixels / area));
    QImage image(QSize(static_cast<int>(std::ceil(source.width() * scale)),
                       static_cast<int>(std::ceil(source.height() * scale))),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return "The map is too large for a picture.";
    }
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter, QRectF(image.rect()), source);
    }
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return "The map could not be made into a PNG picture.";
    }
    bytes.assign(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    return std::nullopt;
}

}  // namespace

std::optional<std::string> MapView::Export(const std::string& path) {
    SettleNow();
    if (layoutError_) {
        return *layoutError_;
    }
    std::string bytes;
    if (EndsWithPng(path)) {
        if (auto failure = PngOf(*scene_, bytes)) {
            return failure;
        }
    } else {
        LayoutOptions options;
        options.labelLimit = 24;
        SvgOutcome svg = RenderGraphSvg(shown_, options);
        if (svg.error) {
            return svg.error;
        }
        bytes = std::move(svg.svg);
    }
    return ReplaceFileAtomically(path, bytes);
}

}  // namespace tw
