#pragma once

// Points and sizes of a laid-out map, in points (1/72 inch), x to the right and y downwards
// from the top left corner of the drawing, as a view paints them.

namespace tw {

struct GraphPoint {
    double x = 0;
    double y = 0;
    bool operator==(const GraphPoint&) const = default;
};

struct GraphSize {
    double width = 0;
    double height = 0;
    bool operator==(const GraphSize&) const = default;
};

}  // namespace tw
