#pragma once

#include "TarnInputCore/Engine/EventTap.h"
