#include <objbase.h>

#include "text/charset.h"

namespace trakvel {

void com_initialize() {
  CoInitialize(nullptr);
}
void com_uninitialize() {
  CoUninitialize();
}

}  // namespace trakvel
