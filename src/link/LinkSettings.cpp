#include "link/LinkSettings.h"

#include <unistd.h>

QString LinkSettings::defaultTopic() {
    return QStringLiteral("QUVData-link-%1").arg(getuid());
}
