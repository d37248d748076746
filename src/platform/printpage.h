#pragma once
// The print system's plain data, shared by the seam and the page layout
// (which needs no Qt Widgets).
namespace platform {

// A printer's page in its own pixels: resolution, paper size and the offsets
// of the printable area from the paper's corner.
struct PageMetrics {
    int dpiX = 96;
    int dpiY = 96;
    int width = 0;
    int height = 0;
    int offsetX = 0;
    int offsetY = 0;
};

// What the print dialog was answered: all pages or a range (from 1), and how
// many copies.
struct PrintChoice {
    bool pageRange = false;
    int fromPage = 1;
    int toPage = 1;
    int copies = 1;
};

}  // namespace platform
