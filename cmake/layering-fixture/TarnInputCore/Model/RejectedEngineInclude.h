#pragma once

#include "TarnInputCore/Model/InputSettings.h"
#include "TarnInputCore/Engine/TapEvent.h"
