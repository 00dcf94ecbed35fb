#pragma once
// Decodes the fifteen built-in pictures (PNG, through libpng) into image numbers 0-14: the
// logo and the donation sign as bitmaps, the others as icons. A picture that cannot be
// decoded is left out; the windows then show nothing in its place.
void LoadEmbeddedImages();
