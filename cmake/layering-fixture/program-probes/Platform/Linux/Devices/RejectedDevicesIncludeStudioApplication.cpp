#include "TarnInput/App/StudioApplication.h"
