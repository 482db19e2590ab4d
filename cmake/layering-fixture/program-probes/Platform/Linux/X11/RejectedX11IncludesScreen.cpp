#include "TarnInput/Screens/ScrollEngineView.h"
