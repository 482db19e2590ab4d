#define TARN_ENGINE_HEADER "TarnInputCore/Engine/TapEvent.h"
#include TARN_ENGINE_HEADER
