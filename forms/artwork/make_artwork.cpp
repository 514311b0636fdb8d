// Draws the start form's title picture and the program icon. Run once after
// a change of the artwork and commit the pictures it writes; the program
// itself only loads them.
//   make_artwork OUTPUT_FOLDER
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <cstdio>

namespace {

constexpr int kPictureWidth = 718;
constexpr int kPictureHeight = 439;

QFont titleFont(const char* family, int pixelSize, int weight) {
  QFont font;
  font.setFamilies({QString::fromUtf8(family), QStringLiteral("IPAPGothic"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixelSize);
  font.setWeight(static_cast<QFont::Weight>(weight));
  return font;
}

// The postal mark: two bars over a stem, drawn from lines so that no font
// is needed for it.
void drawPostalMark(QPainter& p, QPointF centre, qreal size, const QColor& colour, qreal stroke) {
  p.save();
  p.setPen(QPen(colour, stroke, Qt::SolidLine, Qt::FlatCap));
  const qreal half = size / 2;
  p.drawLine(QPointF(centre.x() - half, centre.y() - half), QPointF(centre.x() + half, centre.y() - half));
  p.drawLine(QPointF(centre.x() - half, centre.y() - half * 0.45),
             QPointF(centre.x() + half, centre.y() - half * 0.45));
  p.drawLine(QPointF(centre.x(), centre.y() - half * 0.45), QPointF(centre.x(), centre.y() + half));
  p.restore();
}

void drawBackground(QPainter& p) {
  QLinearGradient sky(0, 0, 0, kPictureHeight);
  sky.setColorAt(0.0, QColor(18, 58, 104));
  sky.setColorAt(0.65, QColor(40, 118, 160));
  sky.setColorAt(1.0, QColor(196, 232, 214));
  p.fillRect(0, 0, kPictureWidth, kPictureHeight, sky);

  // A faint street map: a grid bent a little, and a few main roads.
  p.setPen(QPen(QColor(255, 255, 255, 28), 1));
  for (int x = -40; x < kPictureWidth + 40; x += 34) p.drawLine(x, 0, x + 60, kPictureHeight);
  for (int y = 10; y < kPictureHeight; y += 30) p.drawLine(0, y, kPictureWidth, y - 24);
  p.setPen(QPen(QColor(255, 255, 255, 60), 4));
  QPainterPath road;
  road.moveTo(0, 300);
  road.cubicTo(180, 250, 320, 360, 718, 270);
  p.drawPath(road);
  QPainterPath river;
  river.moveTo(520, 0);
  river.cubicTo(470, 120, 610, 200, 560, 439);
  p.setPen(QPen(QColor(160, 210, 255, 70), 10));
  p.drawPath(river);
}

void drawSeal(QPainter& p) {
  const QPointF centre(150, 150);
  QRadialGradient disc(centre, 95, QPointF(125, 120));
  disc.setColorAt(0.0, QColor(255, 120, 110));
  disc.setColorAt(1.0, QColor(196, 24, 30));
  p.setPen(QPen(QColor(255, 255, 255), 5));
  p.setBrush(disc);
  p.drawEllipse(centre, 92, 92);
  drawPostalMark(p, centre + QPointF(0, 6), 92, Qt::white, 15);
}

void drawTitle(QPainter& p) {
  p.setPen(QColor(0, 0, 0, 90));
  p.setFont(titleFont("DejaVu Serif", 82, QFont::Bold));
  p.drawText(QPointF(274, 160), QStringLiteral("Zumaro"));
  p.setPen(Qt::white);
  p.drawText(QPointF(270, 156), QStringLiteral("Zumaro"));

  p.setFont(titleFont("IPAPGothic", 30, QFont::Bold));
  p.setPen(QColor(255, 244, 200));
  p.drawText(QPointF(274, 214), QString::fromUtf8("住所カナ読み 漢字変換"));

  p.setFont(titleFont("IPAPGothic", 17, QFont::Normal));
  p.setPen(QColor(230, 240, 255));
  p.drawText(QPointF(276, 246), QString::fromUtf8("郵便番号で半角カナの住所を漢字の住所へ"));

  p.setFont(titleFont("DejaVu Sans", 26, QFont::Bold));
  p.setPen(QColor(20, 60, 90));
  p.drawText(QPointF(60, 392), QStringLiteral("Ver1.1"));
}

QImage titlePicture() {
  QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB888);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  drawBackground(p);
  drawSeal(p);
  drawTitle(p);
  return image;
}

// The sixteen colours of the classic palette, so that the icon stays a
// sixteen-colour picture.
QList<QRgb> sixteenColours() {
  return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
          qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
          qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
          qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

QImage icon(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  // No antialiasing: every pixel is clear, red or white, so the sixteen
  // colours hold the icon exactly.
  const qreal s = size;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 0, 0));
  p.drawEllipse(QRectF(0, 0, s, s));
  drawPostalMark(p, QPointF(s / 2, s / 2 + s / 16), s * 0.56, Qt::white, size >= 32 ? 4 : 2);
  p.end();
  QList<QRgb> palette = sixteenColours();
  palette.prepend(qRgba(0, 0, 0, 0));  // the clear corners, as an icon mask would have them
  return image.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_artwork OUTPUT_FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  bool ok = titlePicture().save(folder + "/title.png");
  ok = icon(32).save(folder + "/icon-32.png") && ok;
  ok = icon(16).save(folder + "/icon-16.png") && ok;
  if (!ok) std::fprintf(stderr, "make_artwork: cannot write the pictures into %s\n", argv[1]);
  return ok ? 0 : 1;
}
