// Comparing two pictures of the same scene drawn by different painters: the largest colour
// difference away from edges, where antialiasing, stroke details and glyphs legitimately differ.
#pragma once

#include <QImage>

namespace desktop {

struct PictureDifference {
    int largest = 0; // of one colour channel, 0 to 255
    int x = -1, y = -1; // where it is; -1 when the pictures agree everywhere compared
    long compared = 0;  // pixels compared
};

// Compares the pixels whose neighbours up to `reach` pixels away all have the pixel's own colour,
// in both pictures: what differs there is a difference of colour or of presence (a shape one of
// them lacks), not of antialiasing, stroke ends or glyph shapes. Pictures of different sizes are
// compared over their common part.
PictureDifference differenceOffEdges(const QImage& reference, const QImage& picture, int reach);

} // namespace desktop
