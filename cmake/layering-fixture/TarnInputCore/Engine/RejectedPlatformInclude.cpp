#include "Platform/Linux/X11HotkeyBackend.h"
