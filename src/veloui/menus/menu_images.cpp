#include "veloui/menus/menu_images.h"

#include "veloui/foundation/coded_text.h"
#include "veloui/foundation/image_effects.h"
#include "veloui/foundation/style_images.h"

int AppendImage(HIMAGELIST list, HANDLE image) {
  if (list == nullptr || image == nullptr) return -1;
  int index = ImageList_ReplaceIcon(list, -1, static_cast<HICON>(image));
  if (index >= 0) return index;
  HICON icon = ImageToIcon(static_cast<HBITMAP>(image));
  if (icon == nullptr) return -1;
  index = ImageList_ReplaceIcon(list, -1, icon);
  DestroyIcon(icon);
  return index;
}

HICON MakeStyleIcon(HANDLE image, std::uint32_t style) {
  return image != nullptr ? MakeStyleImage(image, style) : nullptr;
}

Text VisibleText(const Text& text) {
  if (text.find(u'\\') == Text::npos) return text;
  HDC dc = CreateCompatibleDC(nullptr);
  RECT rect{};
  Text visible = DrawCodedText(dc, text, rect, nullptr, kCodedVisibleText | kCodedMeasureOnly);
  DeleteDC(dc);
  return visible;
}
