#pragma once

#include <qobject.h>
