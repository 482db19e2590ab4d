#include "TarnInput/ViewModel/InputStudioViewModel.h"
