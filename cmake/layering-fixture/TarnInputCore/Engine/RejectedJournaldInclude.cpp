#include <systemd/sd-journal.h>
