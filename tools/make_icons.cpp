// Draws the program's icon and writes it as data/icons/zorikan.svg, zorikan-<size>.png and zorikan.ico (the
// Windows icon, with the 16, 32, 48 and 256 pixel images): a fine grating
// of black and white cells, 2 x 1 units each with the phase flipping from row to row as on the start
// screen, in a blue rounded frame, hiding a coarse checkered 7 on its left. One list of shapes on a 64-unit
// square feeds both forms, so the SVG and the PNGs show the same picture.
//
//   make_icons <output folder>
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QTextStream>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr double kUnits = 64;

struct Shape {
  QRectF box;
  QColor colour;
  double radius = 0;
};

std::vector<Shape> icon_shapes() {
  std::vector<Shape> shapes;
  shapes.push_back({QRectF(1, 1, 62, 62), QColor(0x1E, 0x5A, 0xA8), 12});
  const QColor white(Qt::white);
  const QColor black(Qt::black);
  shapes.push_back({QRectF(6, 6, 52, 52), black, 0});
  for (int row = 0; row < 52; ++row) {
    for (int cell = 0; cell < 26; ++cell) {
      if ((cell + row) % 2 == 1) shapes.push_back({QRectF(6 + 2 * cell, 6 + row, 2, 1), white, 0});
    }
  }
  // The 7: checker tiles of four 4 x 4 squares, white at the upper left and the lower right.
  const int tiles[][2] = {{10, 12}, {18, 12}, {26, 12}, {34, 12}, {30, 20}, {26, 28}, {22, 36}, {18, 44}};
  for (const auto& tile : tiles) {
    for (int square = 0; square < 4; ++square) {
      const int dx = square % 2;
      const int dy = square / 2;
      shapes.push_back({QRectF(tile[0] + 4 * dx, tile[1] + 4 * dy, 4, 4), dx == dy ? white : black, 0});
    }
  }
  return shapes;
}

bool write_svg(const QString& path, const std::vector<Shape>& shapes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QTextStream out(&file);
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\" "
         "shape-rendering=\"crispEdges\">\n";
  for (const Shape& shape : shapes) {
    out << "  <rect x=\"" << shape.box.x() << "\" y=\"" << shape.box.y() << "\" width=\"" << shape.box.width()
        << "\" height=\"" << shape.box.height() << "\"";
    if (shape.radius > 0) out << " rx=\"" << shape.radius << "\"";
    out << " fill=\"" << shape.colour.name() << "\"/>\n";
  }
  out << "</svg>\n";
  return out.status() == QTextStream::Ok;
}

QImage draw(const std::vector<Shape>& shapes, int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / kUnits, size / kUnits);
  painter.setPen(Qt::NoPen);
  for (const Shape& shape : shapes) {
    painter.setBrush(shape.colour);
    painter.drawRoundedRect(shape.box, shape.radius, shape.radius);
  }
  painter.end();
  return image;
}

bool write_png(const QString& path, const std::vector<Shape>& shapes, int size) {
  return draw(shapes, size).save(path, "PNG");
}

void append_le(QByteArray& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// An icon file holding PNG images, which Windows reads since Vista. Layout, all little-endian: a 6-byte
// header (reserved 0, type 1 for icons, image count), one 16-byte entry per image (width and height with 0
// meaning 256, colour count 0, reserved 0, planes 1, bits per pixel 32, data size, data offset from the
// file's start), then the images' data in the entries' order.
bool write_ico(const QString& path, const std::vector<Shape>& shapes, const std::vector<int>& sizes) {
  std::vector<QByteArray> images;
  for (const int size : sizes) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!draw(shapes, size).save(&buffer, "PNG")) return false;
    images.push_back(png);
  }
  QByteArray bytes;
  append_le(bytes, 0, 2);
  append_le(bytes, 1, 2);
  append_le(bytes, static_cast<uint32_t>(sizes.size()), 2);
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(sizes.size());
  for (size_t i = 0; i < sizes.size(); ++i) {
    const uint32_t side = sizes[i] >= 256 ? 0 : static_cast<uint32_t>(sizes[i]);
    append_le(bytes, side, 1);
    append_le(bytes, side, 1);
    append_le(bytes, 0, 2);
    append_le(bytes, 1, 2);
    append_le(bytes, 32, 2);
    append_le(bytes, static_cast<uint32_t>(images[i].size()), 4);
    append_le(bytes, offset, 4);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const QByteArray& image : images) bytes.append(image);
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icons <output folder>\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const std::vector<Shape> shapes = icon_shapes();
  bool written = write_svg(folder + "/zorikan.svg", shapes);
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    written = write_png(folder + QString("/zorikan-%1.png").arg(size), shapes, size) && written;
  }
  written = write_ico(folder + "/zorikan.ico", shapes, {16, 32, 48, 256}) && written;
  if (!written) std::fprintf(stderr, "make_icons: cannot write into %s\n", argv[1]);
  return written ? 0 : 1;
}
