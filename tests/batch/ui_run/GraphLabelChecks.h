// A check the run window and the result graphs share: the scale labels of a
// history graph show whole, beside the plot and not under it.
#pragma once

#include <gtest/gtest.h>

#include "platform/text/NumberText.h"
#include "platform/ui/PictureBox.h"

// Every number printed on `frame` (the scale labels; the legend holds names)
// lies inside it and ends at least two pixels left of `plot`, the picture
// laid over the frame's right part, which would hide what runs under it.
// Returns how many labels there were.
inline int ExpectLabelsBesideThePlot(const ui::PictureBox& frame, const ui::PictureBox& plot) {
  int labels = 0;
  for (const auto& c : frame.Calls()) {
    if (c.kind != "Print" || !txt::IsNumeric(c.text)) continue;
    ++labels;
    const QPointF start = frame.ToPixels(c.x2, c.y2);
    const QPointF end = frame.ToPixels(c.x2 + frame.TextWidth(c.text), c.y2 + frame.TextHeight(c.text));
    EXPECT_GE(start.x(), 0) << c.text;
    EXPECT_GE(start.y(), 0) << c.text;
    EXPECT_LE(end.y(), frame.height()) << c.text;
    EXPECT_LE(end.x() + 2, plot.x()) << c.text << " runs under the plot";
  }
  return labels;
}
