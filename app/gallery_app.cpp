// The windows of the application shell in the gallery.
#include "ui/gallery.h"

namespace gallery {

void registerAppWindows() {}

}  // namespace gallery
