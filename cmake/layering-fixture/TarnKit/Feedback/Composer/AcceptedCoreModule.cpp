#include <QString>
#include <QtCore/QTimer>
#include <qobject.h>
#include "QObject"
