#include "app/embedded_images_store.h"

#include <windows.h>

#include "app/logic/embedded_images.h"
#include "runtime/win32/gui.h"

void LoadEmbeddedImages() {
  for (int image = 0; image < kEmbeddedImageCount; ++image) {
    if (IsEmbeddedIcon(image)) {
      DecodeIcon(image, EmbeddedImageBytes(image));
    } else {
      DecodeImage(image, EmbeddedImageBytes(image));
    }
  }
}
