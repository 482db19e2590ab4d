#include "TarnInputCore/Engine/InputEventInterceptorService.h"
