#include "screen/pictures.h"

namespace screen::pictures {

// No pictures are built in yet: every control shows its background instead.
forms::FileImage background() { return {}; }
forms::FileImage disc() { return {}; }
forms::FileImage hand() { return {}; }
forms::FileImage handCursor() { return {}; }
forms::FileImage logo() { return {}; }

}  // namespace screen::pictures
