#pragma once

#include "TarnInputCore/Model/InputSettings.h"
