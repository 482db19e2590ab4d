#pragma once

#include "QObject"
