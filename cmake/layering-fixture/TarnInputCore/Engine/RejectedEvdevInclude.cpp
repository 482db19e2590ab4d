#include <libevdev/libevdev.h>
