// The image store: bitmaps and icons under numbers, for image boxes, lists and trees.
#include "runtime/win32/gui_state.h"

namespace {

void Release(ImageRecord& record) {
  if (record.bitmap != nullptr) DeleteObject(record.bitmap);
  if (record.icon != nullptr) DestroyIcon(record.icon);
}

int Store(int image, ImageRecord record) {
  if (image < -1) return 0;
  const int number = TakeNumber(image);
  FreeImage(number);
  Gui.images[number] = record;
  return image == -1 ? number : 1;
}

}  // namespace

int StoreBitmap(int image, HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) return 0;
  return Store(image, ImageRecord{bitmap, nullptr, info.bmWidth, info.bmHeight});
}

int StoreIcon(int image, HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof mask, &mask);
  const int height = info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2;
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return Store(image, ImageRecord{nullptr, icon, mask.bmWidth, height});
}

bool IsImageNumber(int image) { return Gui.images.count(image) != 0; }

int ImageWidth(int image) {
  const auto found = Gui.images.find(image);
  return found != Gui.images.end() ? found->second.width : 0;
}

int ImageHeight(int image) {
  const auto found = Gui.images.find(image);
  return found != Gui.images.end() ? found->second.height : 0;
}

void FreeImage(int image) {
  const auto found = Gui.images.find(image);
  if (found == Gui.images.end()) return;
  Release(found->second);
  Gui.images.erase(found);
}
