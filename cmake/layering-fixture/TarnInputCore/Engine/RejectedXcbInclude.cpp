#include <xcb/xcb.h>
