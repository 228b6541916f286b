// Where a window goes so that it stands centred over another. Measures are in
// any one unit; the halves are taken in floating point and not clamped.
#pragma once

struct Placement {
    double left, top;
};

inline Placement centredOver(double outerLeft, double outerTop, double outerWidth,
                             double outerHeight, double width, double height) {
    return {outerLeft + (outerWidth - width) / 2, outerTop + (outerHeight - height) / 2};
}
