#include <QWidget>
#include <QtCore/QString>

#include "TarnKit/Localization/TarnText.h"
