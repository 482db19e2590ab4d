#include <curl/curl.h>
#include <libevdev/libevdev.h>
#include <linux/input.h>
#include <systemd/sd-journal.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <stdio.h>

#include "TarnInputCore/Engine/EventTap.h"
