#pragma once

#include "TarnInputCore/Engine/InputEventInterceptorService.h"
