#include <QObject>

#include "Platform/Fake/App/FakeClipboard.h"
#include "TarnInput/ViewModel/InputStudioViewModel.h"
