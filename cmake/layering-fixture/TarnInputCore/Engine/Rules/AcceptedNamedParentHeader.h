#pragma once

#include "TarnInputCore/Engine/TapEvent.h"
