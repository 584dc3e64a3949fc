#include "platform/gui/embeddedbrowser.h"
