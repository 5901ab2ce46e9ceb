// A picture box drawn in its own scale (twips by default: origin top left, y
// down), into a persistent backing image. Every drawing call is also recorded,
// so tests can read back what was drawn.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace ui {

// The 16-colour console palette by number (0 black .. 15 bright white).
QColor QBColor(int index);
QColor RGB(int r, int g, int b);

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(const QString& name, QWidget* parent = nullptr);

  // The drawing surface in pixels (the scale follows: 15 twips a pixel).
  void SetSizePixels(int width, int height);

  // A user scale: (x1, y1) the top-left corner, (x2, y2) the bottom-right one.
  void Scale(double x1, double y1, double x2, double y2);
  void ScaleTwips();  // back to twips
  double ScaleWidth() const { return scaleW_; }
  double ScaleHeight() const { return scaleH_; }
  double ScaleLeft() const { return scaleLeft_; }
  double ScaleTop() const { return scaleTop_; }

  void SetBackColor(const QColor& c) { back_ = c; }
  void SetForeColor(const QColor& c) { fore_ = c; }
  QColor ForeColor() const { return fore_; }
  void SetDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }

  void Cls();  // clears to the back colour, CurrentX/Y to 0
  void Line(double x1, double y1, double x2, double y2);  // in the fore colour
  void Line(double x1, double y1, double x2, double y2, const QColor& color);
  void Box(double x1, double y1, double x2, double y2, const QColor& color, bool filled = false);
  void Circle(double x, double y, double radius, const QColor& color, bool filled = false);
  void PSet(double x, double y, const QColor& color);
  // Prints text with its top-left corner at (CurrentX, CurrentY); CurrentY then
  // moves to the next line and CurrentX back to where it was. Text that would
  // run past an edge of the picture is moved in so that it shows whole (the
  // record's x2, y2 hold where it was drawn).
  void Print(const std::string& text);
  double CurrentX = 0, CurrentY = 0;
  double TextHeight(const std::string& text) const;
  double TextWidth(const std::string& text) const;
  void SetFontSize(double points);

  // Copies a region of the drawing (scale units) to another place of this box
  // (the scrolling graphs) or returns it as an image.
  QImage CopyRegion(double x, double y, double w, double h) const;
  void PaintImage(const QImage& image, double x, double y);

  const QImage& Image() const { return image_; }

  // A record of the drawing since the last Cls (its latest kMaxCalls calls).
  struct DrawCall {
    std::string kind;  // "Line", "Box", "Circle", "PSet", "Print", "Paint"
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    QColor color;
    std::string text;
  };
  const std::vector<DrawCall>& Calls() const { return calls_; }

  // Mouse button pressed at (x, y) in scale units; button 1 left, 2 right.
  std::function<void(int button, int shift, double x, double y)> onMouseDown;
  void ClickAt(double x, double y, int button = 1);  // what a user does, for tests

  QPointF ToPixels(double x, double y) const;
  QPointF FromPixels(double px, double py) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The record keeps the latest kMaxCalls calls: the replay of a long history
  // draws a million lines over each other, which the record must not all hold.
  static constexpr std::size_t kMaxCalls = 1u << 14;
  void Record(DrawCall call) {
    if (calls_.size() >= kMaxCalls) calls_.erase(calls_.begin(), calls_.begin() + kMaxCalls / 2);
    calls_.push_back(std::move(call));
  }
  void ResetScaleFromSize();

  QImage image_;
  bool twips_ = true;
  double scaleLeft_ = 0, scaleTop_ = 0, scaleW_ = 0, scaleH_ = 0;
  QColor back_ = Qt::black, fore_ = Qt::white;
  int drawWidth_ = 1;
  double fontPoints_ = 9;
  std::vector<DrawCall> calls_;
};

}  // namespace ui
