#include "TarnInputCore/Engine/EventTap.h"
