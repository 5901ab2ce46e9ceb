#include "platform/ui/PictureBox.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace ui {

QColor QBColor(int index) {
  static const QColor palette[16] = {
      {0, 0, 0},       {0, 0, 128},     {0, 128, 0},     {0, 128, 128},
      {128, 0, 0},     {128, 0, 128},   {128, 128, 0},   {192, 192, 192},
      {128, 128, 128}, {0, 0, 255},     {0, 255, 0},     {0, 255, 255},
      {255, 0, 0},     {255, 0, 255},   {255, 255, 0},   {255, 255, 255}};
  return palette[((index % 16) + 16) % 16];
}

QColor RGB(int r, int g, int b) { return QColor(r & 255, g & 255, b & 255); }

namespace {
constexpr double kTwipsPerPixel = 15.0;
}

PictureBox::PictureBox(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  SetSizePixels(320, 240);
}

void PictureBox::SetSizePixels(int width, int height) {
  setFixedSize(width, height);
  image_ = QImage(width, height, QImage::Format_RGB32);
  image_.fill(back_);
  ResetScaleFromSize();
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (image_.size() != size()) {
    QImage bigger(size(), QImage::Format_RGB32);
    bigger.fill(back_);
    QPainter p(&bigger);
    p.drawImage(0, 0, image_);
    image_ = bigger;
    ResetScaleFromSize();
  }
}

void PictureBox::ResetScaleFromSize() {
  if (twips_) {
    scaleLeft_ = scaleTop_ = 0;
    scaleW_ = image_.width() * kTwipsPerPixel;
    scaleH_ = image_.height() * kTwipsPerPixel;
  }
}

void PictureBox::Scale(double x1, double y1, double x2, double y2) {
  twips_ = false;
  scaleLeft_ = x1;
  scaleTop_ = y1;
  scaleW_ = x2 - x1;
  scaleH_ = y2 - y1;
}

void PictureBox::ScaleTwips() {
  twips_ = true;
  ResetScaleFromSize();
}

QPointF PictureBox::ToPixels(double x, double y) const {
  const double sw = scaleW_ == 0 ? 1 : scaleW_, sh = scaleH_ == 0 ? 1 : scaleH_;
  return {(x - scaleLeft_) / sw * image_.width(), (y - scaleTop_) / sh * image_.height()};
}

QPointF PictureBox::FromPixels(double px, double py) const {
  return {scaleLeft_ + px / std::max(1, image_.width()) * scaleW_,
          scaleTop_ + py / std::max(1, image_.height()) * scaleH_};
}

void PictureBox::Cls() {
  image_.fill(back_);
  calls_.clear();
  CurrentX = CurrentY = 0;
  update();
}

void PictureBox::Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, fore_); }

void PictureBox::Line(double x1, double y1, double x2, double y2, const QColor& color) {
  QPainter p(&image_);
  p.setPen(QPen(color, drawWidth_));
  p.drawLine(ToPixels(x1, y1), ToPixels(x2, y2));
  CurrentX = x2;
  CurrentY = y2;
  Record({"Line", x1, y1, x2, y2, color, {}});
  update();
}

void PictureBox::Box(double x1, double y1, double x2, double y2, const QColor& color, bool filled) {
  QPainter p(&image_);
  p.setPen(QPen(color, drawWidth_));
  const QRectF r(ToPixels(x1, y1), ToPixels(x2, y2));
  if (filled) p.fillRect(r.normalized(), color);
  else p.drawRect(r.normalized());
  Record({filled ? "BoxFilled" : "Box", x1, y1, x2, y2, color, {}});
  update();
}

void PictureBox::Circle(double x, double y, double radius, const QColor& color, bool filled) {
  QPainter p(&image_);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color, drawWidth_));
  if (filled) p.setBrush(color);
  // The radius is measured along the x axis of the scale.
  const double rx = std::abs(radius / (scaleW_ == 0 ? 1 : scaleW_) * image_.width());
  p.drawEllipse(ToPixels(x, y), rx, rx);
  Record({"Circle", x, y, radius, 0, color, {}});
  update();
}

void PictureBox::PSet(double x, double y, const QColor& color) {
  const QPointF px = ToPixels(x, y);
  if (image_.rect().contains(px.toPoint())) image_.setPixelColor(px.toPoint(), color);
  Record({"PSet", x, y, 0, 0, color, {}});
}

void PictureBox::SetFontSize(double points) { fontPoints_ = points; }

double PictureBox::TextHeight(const std::string& text) const {
  QFont f = font();
  f.setPointSizeF(fontPoints_);
  QFontMetricsF m(f);
  const double lines = std::max<qsizetype>(1, QString::fromStdString(text).count('\n') + 1);
  return m.height() * lines / std::max(1, image_.height()) * scaleH_;
}

double PictureBox::TextWidth(const std::string& text) const {
  QFont f = font();
  f.setPointSizeF(fontPoints_);
  return QFontMetricsF(f).horizontalAdvance(QString::fromStdString(text)) / std::max(1, image_.width()) * scaleW_;
}

void PictureBox::Print(const std::string& text) {
  QPainter p(&image_);
  QFont f = font();
  f.setPointSizeF(fontPoints_);
  p.setFont(f);
  p.setPen(fore_);
  QPointF at = ToPixels(CurrentX, CurrentY);
  QFontMetricsF m(f);
  const QString q = QString::fromStdString(text);
  // Text placed for a narrower font than this one would run past the edge and
  // be cut ("1000(" for "1000(C)"): it is moved in so that all of it shows.
  const double width = m.horizontalAdvance(q);
  at.setX(std::max(0.0, std::min(at.x(), image_.width() - width)));
  at.setY(std::max(0.0, std::min(at.y(), image_.height() - m.height())));
  p.drawText(QPointF(at.x(), at.y() + m.ascent()), q);
  const QPointF placed = FromPixels(at.x(), at.y());
  Record({"Print", CurrentX, CurrentY, placed.x(), placed.y(), fore_, text});
  CurrentY += TextHeight(text);
  update();
}

QImage PictureBox::CopyRegion(double x, double y, double w, double h) const {
  const QPointF a = ToPixels(x, y), b = ToPixels(x + w, y + h);
  return image_.copy(QRectF(a, b).normalized().toRect());
}

void PictureBox::PaintImage(const QImage& image, double x, double y) {
  QPainter p(&image_);
  p.drawImage(ToPixels(x, y), image);
  Record({"Paint", x, y, 0, 0, {}, {}});
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, image_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  const QPointF s = FromPixels(event->position().x(), event->position().y());
  int shift = 0;
  if (event->modifiers() & Qt::ShiftModifier) shift |= 1;
  if (event->modifiers() & Qt::ControlModifier) shift |= 2;
  const int button = event->button() == Qt::RightButton ? 2 : event->button() == Qt::MiddleButton ? 4 : 1;
  if (onMouseDown) onMouseDown(button, shift, s.x(), s.y());
}

void PictureBox::ClickAt(double x, double y, int button) {
  if (onMouseDown) onMouseDown(button, 0, x, y);
}

}  // namespace ui
