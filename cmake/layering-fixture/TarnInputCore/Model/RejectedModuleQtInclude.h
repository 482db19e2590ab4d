#pragma once

#include <QtCore/QObject>
