// Picture boxes draw in their own scale and report clicks in it.
#include "platform/ui/PictureBox.h"
#include "support/UiTest.h"

namespace {

class PictureBoxTest : public UiTest {};

TEST_F(PictureBoxTest, TwipsByDefaultAndUserScales) {
  ui::PictureBox p("picGraph");
  p.SetSizePixels(200, 100);
  EXPECT_EQ(p.ScaleWidth(), 3000);
  EXPECT_EQ(p.ScaleHeight(), 1500);
  p.Cls();
  EXPECT_EQ(p.Image().pixelColor(10, 10), QColor(Qt::black));
  p.Line(0, 750, 3000, 750, ui::QBColor(12));
  EXPECT_EQ(p.Image().pixelColor(100, 50), QColor(255, 0, 0));
  p.Scale(0, 1, 1, 0);  // y up, as the graphs use it
  p.Box(0.5, 0.5, 0.6, 0.4, ui::QBColor(10), true);
  EXPECT_EQ(p.Image().pixelColor(110, 50), QColor(0, 255, 0));
  EXPECT_NEAR(p.ToPixels(1, 0).y(), 100, 1e-9);

  double x = -1, y = -1;
  p.onMouseDown = [&](int button, int, double cx, double cy) {
    EXPECT_EQ(button, 1);
    x = cx;
    y = cy;
  };
  p.ClickAt(0.25, 0.75);
  EXPECT_DOUBLE_EQ(x, 0.25);
  EXPECT_DOUBLE_EQ(y, 0.75);
  const QPointF back = p.FromPixels(50, 25);
  EXPECT_NEAR(back.x(), 0.25, 1e-12);
  EXPECT_NEAR(back.y(), 0.75, 1e-12);
}

TEST_F(PictureBoxTest, PrintMovesToTheNextLineAndIsRecorded) {
  ui::PictureBox p("picGraph");
  p.SetSizePixels(300, 200);
  p.SetForeColor(ui::QBColor(15));
  p.CurrentX = 200;
  p.CurrentY = 300;
  p.Print("351.35");
  EXPECT_EQ(p.CurrentX, 200);
  EXPECT_NEAR(p.CurrentY, 300 + p.TextHeight("351.35"), 1e-9);
  ASSERT_EQ(p.Calls().size(), 1u);
  EXPECT_EQ(p.Calls()[0].kind, "Print");
  EXPECT_EQ(p.Calls()[0].text, "351.35");
  EXPECT_GT(p.TextHeight("x"), 0);
  const QImage part = p.CopyRegion(0, 0, 1500, 1500);
  EXPECT_EQ(part.width(), 100);
  p.Cls();
  EXPECT_TRUE(p.Calls().empty());
  EXPECT_EQ(ui::QBColor(14), QColor(255, 255, 0));
}

// Text placed for a narrower font than the one drawn with is moved in, never cut
// at the picture's edge ("1000(" for "1000(C)").
TEST_F(PictureBoxTest, TextNearAnEdgeIsMovedInToShowWhole) {
  ui::PictureBox p("picGraph");
  p.SetSizePixels(300, 200);
  const std::string label = "1000(C)";
  p.CurrentX = p.ScaleWidth() - 60;
  p.CurrentY = p.ScaleHeight() - 10;
  p.Print(label);
  p.CurrentX = -200;
  p.CurrentY = -50;
  p.Print(label);
  p.CurrentX = 150;
  p.CurrentY = 150;
  p.Print(label);
  ASSERT_EQ(p.Calls().size(), 3u);
  const auto& edge = p.Calls()[0];
  EXPECT_EQ(edge.x1, p.ScaleWidth() - 60) << "the record keeps the requested place";
  EXPECT_LE(edge.x2 + p.TextWidth(label), p.ScaleWidth() + 1e-6);
  EXPECT_LE(edge.y2 + p.TextHeight(label), p.ScaleHeight() + 1e-6);
  EXPECT_GE(p.Calls()[1].x2, 0.0);
  EXPECT_GE(p.Calls()[1].y2, 0.0);
  EXPECT_NEAR(p.Calls()[2].x2, 150, 15) << "text that fits stays where it was put";
  EXPECT_NEAR(p.Calls()[2].y2, 150, 15);
}

}  // namespace
