#include "TarnKit/Localization/TarnText.h"
