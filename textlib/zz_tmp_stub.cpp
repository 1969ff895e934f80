#include "directives.h"
__attribute__((weak)) void DirectiveRunner::Run(CCLStringList&, uint32_t) {}
