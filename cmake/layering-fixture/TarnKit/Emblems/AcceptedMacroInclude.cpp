#define TARN_EMBLEM_HEADER "TarnKit/Emblems/AcceptedMacroInclude.h"
#include TARN_EMBLEM_HEADER
