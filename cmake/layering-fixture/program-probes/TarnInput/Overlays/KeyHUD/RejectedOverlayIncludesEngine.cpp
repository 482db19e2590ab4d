#include "TarnInputCore/Engine/KeyHUDTokenizer.h"
