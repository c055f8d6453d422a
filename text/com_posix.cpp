// Without COM there is nothing to initialise: the text services use no components here.
#include "text/charset.h"

namespace trakvel {

void com_initialize() {}
void com_uninitialize() {}

}  // namespace trakvel
