#include "../Localization/TarnText.h"
