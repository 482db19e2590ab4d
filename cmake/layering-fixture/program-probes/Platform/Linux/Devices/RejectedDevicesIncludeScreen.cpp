#include "TarnInput/Screens/Hardware/DevicesAndDiagnosticsView.h"
