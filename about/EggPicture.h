#pragma once

class QImage;

// The Easter egg's picture: 640 x 480 at 24 bits per pixel, a sunrise over green hills with a
// ticked-off list on a signpost. Drawn afresh on each call; the same every time.
QImage EggPicture();
