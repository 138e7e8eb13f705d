#include "desktop/ResourceImages.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <algorithm>
#include <map>
#include <vector>

#include "forms/Constants.h"
#include "resources/Resources.h"

namespace desktop {

using namespace forms;

namespace {

// The custom pointer of the windows (a pointing hand).
constexpr const char* kCustomPointer = "cursori/mano.cur";

// Every image of an ICO or CUR resource, through Qt's ico reader.
std::vector<QImage> resourceImages(const std::string& name, const char* format) {
  std::vector<QImage> images;
  const auto bytes = resources::find(name);
  if (!bytes) return images;
  QByteArray data = QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()));
  QBuffer buffer(&data);
  QImageReader reader(&buffer, format);
  for (int i = 0; i < std::max(reader.imageCount(), 1); ++i) {
    if (i > 0 && !reader.jumpToImage(i)) break;
    QImage image = reader.read();
    if (!image.isNull()) images.push_back(std::move(image));
  }
  return images;
}

QCursor customCursor() {
  const std::vector<QImage> images = resourceImages(kCustomPointer, "cur");
  const auto bytes = resources::find(kCustomPointer);
  if (images.empty() || !bytes || bytes->size() < 22) return QCursor(Qt::PointingHandCursor);
  // The hot spot stands in the first directory entry, where an icon keeps
  // its planes and bit count.
  const auto word = [&](size_t at) {
    return static_cast<unsigned char>((*bytes)[at]) | static_cast<unsigned char>((*bytes)[at + 1]) << 8;
  };
  return QCursor(QPixmap::fromImage(images.front()), word(10), word(12));
}

}  // namespace

QIcon resourceIcon(const std::string& name) {
  // Decoded once (images only: they outlive any application object), since a
  // window sets its icon again on every change of its appearance.
  static std::map<std::string, std::vector<QImage>> decoded;
  auto found = decoded.find(name);
  if (found == decoded.end()) found = decoded.emplace(name, resourceImages(name, "ico")).first;
  QIcon icon;
  for (const QImage& image : found->second) icon.addPixmap(QPixmap::fromImage(image));
  return icon;
}

QCursor pointerCursor(int pointer) {
  switch (pointer) {
    case 2:
      return Qt::CrossCursor;
    case 3:
      return Qt::IBeamCursor;
    case 5:
    case 15:
      return Qt::SizeAllCursor;
    case 6:
      return Qt::SizeBDiagCursor;
    case 7:
      return Qt::SizeVerCursor;
    case 8:
      return Qt::SizeFDiagCursor;
    case 9:
      return Qt::SizeHorCursor;
    case vbHourglass:
      return Qt::WaitCursor;
    case 12:
      return Qt::ForbiddenCursor;
    case 13:
      return Qt::BusyCursor;
    case 14:
      return Qt::WhatsThisCursor;
    case vbCustom:
      return customCursor();
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace desktop
