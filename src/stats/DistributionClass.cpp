#include "stats/DistributionClass.h"

#include "platform/CellValue.h"

QString DistributionClass::interval() const {
    return (fromExcluded ? u']' : u'[') + (from ? CellValue::formatNumber(*from) : QString()) +
           u',' + (to ? CellValue::formatNumber(*to) : QString()) + (toExcluded ? u'[' : u']');
}
